// The batch runner for Node: the same script protocol and the same output as the desktop
// program's --batch, without pictures to save. Files are read through Node's own file system.
#include <iostream>
#include <memory>

#include "batch/batch_runner.h"
#include "batch/script_file.h"
#include "main_window/form1.h"

int main(int argc, char** argv) {
  auto form = std::make_unique<linklab::Form1>();
  linklab::PrintingHost printer(std::cout);
  form->setHost(&printer);
  form->Form_Load();
  linklab::BatchRunner runner(*form, std::cout, std::cerr);
  const int status = linklab::runScriptFile(runner, argc >= 2 ? argv[1] : nullptr, std::cerr);
  std::cout.flush();
  form->setHost(nullptr);
  return status;
}
