// Placeholders until the transmitter, channel and filter procedures land; each is removed here
// when its real body is written.
#include "main_window/form1.h"

namespace linklab {
void Form1::fillLists() {}
void Form1::makeData() {}
void Form1::modulateData() {}
void Form1::designFilters() {}
void Form1::shapeTxSignal() {}
void Form1::rfAmplifier() {}
void Form1::addNoise() {}
void Form1::rxFilter() {}
}  // namespace linklab
