#include "main_window/form1.h"

namespace linklab {

void Form1::showHelp() { HelpText.show(); }

void Form1::showInstructions() { Instructions.show(); }

}  // namespace linklab
