// LinkLab: the window, or with --batch [FILE] a script run against the same window model.
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/command_line.h"
#include "batch/batch_runner.h"
#include "batch/script_file.h"
#include "main_window/form1.h"
#include "qt/main_window_view.h"
#include "qt/setup_commands.h"
#include "qt/vector_state.h"

int main(int argc, char** argv) {
  using Action = linklab::CommandLine::Action;
  const linklab::CommandLine command = linklab::parseCommandLine({argv + 1, argv + argc});
  switch (command.action) {
    case Action::Help: std::cout << linklab::usageText(); return 0;
    case Action::Version: std::cout << linklab::versionText(); return 0;
    case Action::Misuse: std::cerr << "linklab: " << command.error << '\n' << linklab::usageText(); return 2;
    case Action::Window:
    case Action::Batch: break;
  }
  const bool batch = command.action == Action::Batch;
  if (batch && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  QApplication::setFont(QFont("DejaVu Sans", 8));

  auto form = std::make_unique<linklab::Form1>();
  linklab::MainWindowView view(*form);

  if (!batch) {
    view.restoreSettings();  // the user's own choices; a batch run keeps the defaults
    form->Form_Load();
    view.syncFromModel();
    view.showFitted();
    // Opened once the window is up, so a setup's error shows its box over the window.
    if (auto* setups = view.findChild<linklab::SetupCommands*>("SetupCommands"); setups && !command.setup.empty())
      QTimer::singleShot(0, setups, [setups, file = QString::fromLocal8Bit(command.setup.c_str())] { setups->openFile(file); });
    return QApplication::exec();
  }

  linklab::PrintingHost printer(std::cout);
  form->setHost(&printer);
  view.tickTimer().stop();
  linklab::clearUpperVectorState();
  form->Form_Load();
  linklab::BatchRunner runner(*form, std::cout, std::cerr, &view);
  const int status = linklab::runScriptFile(runner, argc >= 3 ? argv[2] : nullptr, std::cerr);
  std::cout.flush();
  form->setHost(nullptr);
  return status;
}
