// The batch runner for Node: the same script protocol and the same output as the desktop
// program's --batch, without pictures to save. Files are read through Node's own file system.
#include <fstream>
#include <iostream>
#include <memory>

#include "batch/batch_runner.h"
#include "main_window/form1.h"

int main(int argc, char** argv) {
  auto form = std::make_unique<linklab::Form1>();
  linklab::PrintingHost printer(std::cout);
  form->setHost(&printer);
  form->Form_Load();
  linklab::BatchRunner runner(*form, std::cout, std::cerr);
  int status = 0;
  if (argc >= 2) {
    std::ifstream script(argv[1]);
    if (!script) {
      std::cerr << "error: cannot read '" << argv[1] << "'\n";
      return 1;
    }
    status = runner.run(script);
  } else {
    status = runner.run(std::cin);
  }
  std::cout.flush();
  form->setHost(nullptr);
  return status;
}
