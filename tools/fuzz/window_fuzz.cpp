// Fuzzes the real window on the offscreen platform: seeded random user actions (clicks, drags,
// keys, typed text, the Help menu by its shortcut, message boxes and help windows dismissed
// every way) sent as real events through Qt's window system interface. Each action is one text
// line, so a run can be logged, replayed and minimised.
//
//   window_fuzz [--seed S] (--events N | --seconds T) [--no-alt-menu] [--stall T] [--work DIR]
//   window_fuzz --replay FILE [--no-alt-menu]
//
// Without --child the program supervises: it runs itself as a child, and when the child fails
// (crash, sanitizer report, hang, a number that is not finite in the model) it replays shorter
// action lists to find a small one, and prints it with the seed.
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "form/picture_box.h"
#include "main_window/form1.h"
#include "minimise.h"
#include "qt/main_window_view.h"
#include "random_source.h"

using namespace linklab;
using namespace linklab::fuzz;

namespace {

struct Options {
  uint64_t seed = 1;
  long events = -1;
  double seconds = -1;
  bool altMenu = true;
  double stall = 120;
  std::string work = "/tmp/linklab-window-fuzz";
  std::string replay;
  std::string log;
  bool child = false;
  bool trace = false;  // each action and what it left, on stderr
};

// ---- Actions as text

std::string encode(const std::string& text) {
  std::string s;
  char hex[4];
  for (unsigned char c : text) {
    if (c > ' ' && c < 127 && c != '%') {
      s += static_cast<char>(c);
    } else {
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      s += hex;
    }
  }
  return s.empty() ? "%" : s;  // a lone % is the empty text
}

std::string decode(const std::string& s) {
  if (s == "%") return {};
  std::string text;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size()) {
      text += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      text += s[i];
    }
  }
  return text;
}

const std::vector<std::string> kDismissals = {"return", "escape", "ok", "close", "space", "enter"};

struct KeyName {
  const char* name;
  Qt::Key key;
};
const KeyName kKeys[] = {{"Up", Qt::Key_Up},         {"Down", Qt::Key_Down},       {"Left", Qt::Key_Left},
                         {"Right", Qt::Key_Right},   {"PageUp", Qt::Key_PageUp},   {"PageDown", Qt::Key_PageDown},
                         {"Home", Qt::Key_Home},     {"End", Qt::Key_End},         {"Return", Qt::Key_Return},
                         {"Enter", Qt::Key_Enter},   {"Escape", Qt::Key_Escape},   {"Tab", Qt::Key_Tab},
                         {"Backtab", Qt::Key_Backtab}, {"Space", Qt::Key_Space},   {"Backspace", Qt::Key_Backspace},
                         {"Delete", Qt::Key_Delete}, {"F1", Qt::Key_F1},           {"F4", Qt::Key_F4},
                         {"Alt", Qt::Key_Alt},       {"H", Qt::Key_H},             {"I", Qt::Key_I},
                         {"X", Qt::Key_X},           {"A", Qt::Key_A},             {"0", Qt::Key_0}};

// ---- The driver

// Grows with every action and every answered message box; the watchdog reads it.
std::atomic<long> heartbeat{0};

class Driver {
 public:
  Driver(const Options& o) : options(o) {
    view = std::make_unique<MainWindowView>(form);
    form.Form_Load();
    view->syncFromModel();
    view->show();
    (void)QTest::qWaitForWindowExposed(view.get());
    view->activateWindow();
    (void)QTest::qWaitForWindowActive(view.get());
    // Ticks come only from the actions, so that a seed always gives the same run.
    qApp->installEventFilter(&tickFilter);
    tickFilter.timer = &view->tickTimer();
    connect();
  }

  // One generated action, as a line.
  std::string generate(RandomSource& rnd) {
    const std::string dismiss = rnd.pick(kDismissals);
    std::ostringstream a;
    auto frac = [&] { return std::to_string(rnd.below(1001) / 1000.0).substr(0, 5); };
    const int kind = rnd.below(100);
    std::vector<QWidget*> visible = visibleControls();
    if (kind < 22 && !visible.empty()) {
      a << (rnd.chance(0.1) ? "dclick " : "click ") << visible[rnd.below(static_cast<int>(visible.size()))]->objectName().toStdString()
        << ' ' << frac() << ' ' << frac() << ' ' << (rnd.chance(0.85) ? "left" : rnd.chance(0.5) ? "right" : "middle");
    } else if (kind < 32) {
      a << "click #canvas " << frac() << ' ' << frac() << ' ' << (rnd.chance(0.8) ? "left" : "right");
    } else if (kind < 44) {
      const bool onPicture = rnd.chance(0.3) && !visible.empty();
      a << "drag " << (onPicture ? visible[rnd.below(static_cast<int>(visible.size()))]->objectName().toStdString() : "#canvas")
        << ' ' << frac() << ' ' << frac() << ' ' << frac() << ' ' << frac() << ' ' << rnd.between(1, 8) << ' '
        << (rnd.chance(0.85) ? "left" : "right");
    } else if (kind < 58) {
      const KeyName& k = kKeys[rnd.below(static_cast<int>(std::size(kKeys)))];
      const char* mods = rnd.chance(0.7) ? "none" : rnd.chance(0.5) ? "alt" : rnd.chance(0.5) ? "shift" : "ctrl";
      a << "key " << k.name << ' ' << mods;
    } else if (kind < 74) {
      std::vector<QWidget*> editable = editableFields();
      if (editable.empty()) return "tick 1 " + dismiss;
      static const std::vector<std::string> texts = {"x", "0.4", "None", "Unknown", "2", "100", "-1", "1e308",
                                                     "nan", "", "16", "0.", "1e-320", "\xc3\xa9\xe6\x97\xa5", "OFDM",
                                                     "Matched", "FSK", "QPSK", "99999999999999999999"};
      std::string text = rnd.chance(0.8) ? rnd.pick(texts) : hostileText(rnd).substr(0, 200);
      static const std::vector<std::string> endings = {"return", "tab", "none", "clickaway", "menu", "escape"};
      std::string ending = rnd.pick(endings);
      if (ending == "menu" && !options.altMenu) ending = "tab";
      a << "type " << editable[rnd.below(static_cast<int>(editable.size()))]->objectName().toStdString() << ' '
        << encode(text) << ' ' << ending;
    } else if (kind < 82) {
      a << "tick " << rnd.between(1, 5);
    } else if (kind < 88) {
      a << (options.altMenu ? "menu " : "key Down ") << (options.altMenu ? std::to_string(rnd.below(4)) : "none");
    } else if (kind < 93) {
      static const std::vector<std::string> ways = {"escape", "close", "button"};
      a << "help " << rnd.below(2) << ' ' << rnd.pick(ways);
    } else {
      a << "popup " << frac() << ' ' << frac();
    }
    return a.str() + " " + dismiss;
  }

  // Runs one action line; returns an empty string, or a finding.
  std::string execute(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string word; in >> word;) w.push_back(word);
    if (w.empty()) return {};
    dismissal = w.back();
    const std::string& verb = w[0];
    if ((verb == "click" || verb == "dclick") && w.size() >= 6) {
      if (QWidget* target = widget(w[1])) mouseClick(target, std::stod(w[2]), std::stod(w[3]), button(w[4]), verb == "dclick");
    } else if (verb == "drag" && w.size() >= 9) {
      if (QWidget* target = widget(w[1])) drag(target, std::stod(w[2]), std::stod(w[3]), std::stod(w[4]), std::stod(w[5]), std::stoi(w[6]), button(w[7]));
    } else if (verb == "key" && w.size() >= 4) {
      for (const KeyName& k : kKeys)
        if (w[1] == k.name) keyClick(k.key, modifiers(w[2]));
    } else if (verb == "type" && w.size() >= 5) {
      typeInto(w[1], decode(w[2]), w[3]);
    } else if (verb == "tick" && w.size() >= 3) {
      for (int i = 0; i < std::stoi(w[1]); ++i) {
        view->onTick();
        settle();
      }
    } else if (verb == "menu" && w.size() >= 3) {
      keyClick(Qt::Key_H, Qt::AltModifier);
      // Then, in the open menu: leave it, pick the first or second command, or move about.
      const int then = std::stoi(w[1]);
      if (then == 0) keyClick(Qt::Key_Escape, Qt::NoModifier);
      if (then == 1) keyClick(Qt::Key_Return, Qt::NoModifier);
      if (then == 2) {
        keyClick(Qt::Key_Down, Qt::NoModifier);
        keyClick(Qt::Key_Return, Qt::NoModifier);
      }
    } else if (verb == "help" && w.size() >= 4) {
      closeHelp(std::stoi(w[1]), w[2]);
    } else if (verb == "popup" && w.size() >= 4) {
      if (QWidget* popup = QApplication::activePopupWidget()) mouseClick(popup, std::stod(w[1]), std::stod(w[2]), Qt::LeftButton, false);
    }
    settle();
    if (options.trace)
      std::cerr << line << "  -> scene " << form.cmbScene.Text() << ", rx filter '" << form.cmbFilter[1].Text()
                << "', boxes answered " << boxesAnswered << ", focus "
                << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "-")
                << ", popup " << (QApplication::activePopupWidget() ? "open" : "none") << '\n';
    return modelFinding();
  }

  long eventCount() const { return events; }

 private:
  struct TickFilter : QObject {
    QTimer* timer = nullptr;
    bool eventFilter(QObject* watched, QEvent* event) override {
      return watched == timer && event->type() == QEvent::Timer;
    }
  };

  void connect() {
    // Message boxes are answered from inside their own event loop, the way a user answers them.
    dismisser.setInterval(2);
    QObject::connect(&dismisser, &QTimer::timeout, [this] { dismissModal(); });
    dismisser.start();
    for (Control* c : form.controls())
      if (c->kind() == ControlKind::Picture) static_cast<PictureBox*>(c)->setRecording(true);
  }

  QWidget* widget(const std::string& name) {
    QWidget* w = name == "#canvas" ? view->centralWidget() : view->findChild<QWidget*>(QString::fromStdString(name));
    return w && w->isVisible() ? w : nullptr;
  }

  std::vector<QWidget*> visibleControls() {
    std::vector<QWidget*> result;
    for (QWidget* w : view->findChildren<QWidget*>())
      if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_") && w->isVisible() && w->window() == view.get())
        result.push_back(w);
    return result;
  }

  std::vector<QWidget*> editableFields() {
    std::vector<QWidget*> result;
    for (QWidget* w : visibleControls()) {
      auto* combo = qobject_cast<QComboBox*>(w);
      if ((combo && combo->isEditable()) || qobject_cast<QLineEdit*>(w)) result.push_back(w);
    }
    return result;
  }

  static Qt::MouseButton button(const std::string& b) {
    return b == "right" ? Qt::RightButton : b == "middle" ? Qt::MiddleButton : Qt::LeftButton;
  }
  static Qt::KeyboardModifiers modifiers(const std::string& m) {
    return m == "alt" ? Qt::AltModifier : m == "shift" ? Qt::ShiftModifier : m == "ctrl" ? Qt::ControlModifier : Qt::NoModifier;
  }

  // A point of a widget, in its top-level window.
  static QPoint at(QWidget* w, double fx, double fy) {
    const QPoint local(static_cast<int>(fx * std::max(0, w->width() - 1)), static_cast<int>(fy * std::max(0, w->height() - 1)));
    return w->mapTo(w->window(), local);
  }

  void mouseClick(QWidget* w, double fx, double fy, Qt::MouseButton b, bool twice) {
    QWindow* window = w->window()->windowHandle();
    if (!window) return;
    const QPoint p = at(w, fx, fy);
    QPointer<QWidget> alive(w);
    QTest::mousePress(window, b, Qt::NoModifier, p);
    QTest::mouseRelease(window, b, Qt::NoModifier, p);
    events += 2;
    if (twice && alive && w->window()->windowHandle()) {
      QTest::mouseDClick(w->window()->windowHandle(), b, Qt::NoModifier, p);
      events += 1;
    }
  }

  void drag(QWidget* w, double fx, double fy, double tx, double ty, int steps, Qt::MouseButton b) {
    QPointer<QWidget> alive(w);
    QWindow* window = w->window()->windowHandle();
    if (!window) return;
    const QPoint from = at(w, fx, fy), to = at(w, tx, ty);
    QTest::mousePress(window, b, Qt::NoModifier, from);
    ++events;
    for (int i = 1; i <= steps && alive; ++i) {
      QTest::mouseMove(window, from + (to - from) * i / steps);
      ++events;
      settle();
    }
    if (alive && w->window()->windowHandle()) QTest::mouseRelease(w->window()->windowHandle(), b, Qt::NoModifier, to);
    ++events;
  }

  static QWindow* keyWindow() {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup->windowHandle();
    if (QWidget* active = QApplication::activeWindow()) return active->windowHandle();
    return QGuiApplication::focusWindow();
  }

  void keyClick(Qt::Key key, Qt::KeyboardModifiers mods) {
    QWindow* window = keyWindow();
    if (!window) window = view->windowHandle();
    QTest::keyClick(window, key, mods);
    events += 2;
    settle();
  }

  void typeInto(const std::string& name, const std::string& text, const std::string& ending) {
    QWidget* w = widget(name);
    if (!w) return;
    QWidget* edit = w;
    if (auto* combo = qobject_cast<QComboBox*>(w)) edit = combo->lineEdit();
    if (!edit) return;
    mouseClick(edit, 0.5, 0.5, Qt::LeftButton, false);
    settle();
    QWindow* window = keyWindow();
    if (!window) return;
    for (const QChar c : QString::fromUtf8(text.c_str())) {
      QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, QString(c), Qt::NoModifier);
      events += 2;
    }
    settle();
    if (ending == "return") keyClick(Qt::Key_Return, Qt::NoModifier);
    if (ending == "tab") keyClick(Qt::Key_Tab, Qt::NoModifier);
    if (ending == "escape") keyClick(Qt::Key_Escape, Qt::NoModifier);
    if (ending == "menu") keyClick(Qt::Key_H, Qt::AltModifier);
    if (ending == "clickaway") mouseClick(view->centralWidget(), 0.02, 0.98, Qt::LeftButton, false);
  }

  void closeHelp(int index, const std::string& way) {
    std::vector<QDialog*> dialogs;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QDialog*>(w); d && !qobject_cast<QMessageBox*>(w) && d->isVisible()) dialogs.push_back(d);
    if (dialogs.empty()) return;
    QDialog* d = dialogs[static_cast<std::size_t>(index) % dialogs.size()];
    if (way == "escape" && d->windowHandle()) {
      QTest::keyClick(d->windowHandle(), Qt::Key_Escape);
      events += 2;
    } else if (way == "close") {
      d->close();  // as the window's own close button does
      ++events;
    } else if (auto* b = d->findChild<QAbstractButton*>(); b && b->isVisible()) {
      mouseClick(b, 0.5, 0.5, Qt::LeftButton, false);
    }
  }

  void dismissModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    ++heartbeat;
    // A way that has not closed the box after a few tries gives way to the OK button.
    const std::string way = ++dismissTries > 3 ? "ok" : dismissal;
    QWindow* window = modal->windowHandle();
    if (way == "ok" || !window) {
      if (auto* b = modal->findChild<QAbstractButton*>(); b && b->isVisible())
        mouseClick(b, 0.5, 0.5, Qt::LeftButton, false);
      else
        modal->close();
    } else if (way == "close") {
      modal->close();
      ++events;
    } else {
      const Qt::Key key = way == "escape" ? Qt::Key_Escape : way == "space" ? Qt::Key_Space : way == "enter" ? Qt::Key_Enter : Qt::Key_Return;
      QTest::keyClick(window, key);
      events += 2;
    }
    if (!QApplication::activeModalWidget()) {
      dismissTries = 0;
      ++boxesAnswered;
    }
  }

  void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }

  // Numbers drawn or kept that are not finite, from nothing but user actions.
  std::string modelFinding() {
    for (Control* c : form.controls()) {
      if (c->kind() != ControlKind::Picture) continue;
      auto* picture = static_cast<PictureBox*>(c);
      for (const DrawOp& op : picture->log())
        if (!std::isfinite(op.x1) || !std::isfinite(op.y1) || !std::isfinite(op.x2) || !std::isfinite(op.y2))
          return "non-finite number drawn on " + c->name;
      picture->setRecording(true);  // empties the log for the next action
    }
    for (const auto* block : {&form.dTxSignal, &form.dRxSignal, &form.dTxSpectrum, &form.dSpectrumSum})
      for (double v : *block)
        if (!std::isfinite(v)) return "non-finite number in the signal arrays";
    return {};
  }

  const Options& options;
  Form1 form;
  std::unique_ptr<MainWindowView> view;
  TickFilter tickFilter;
  QTimer dismisser;
  std::string dismissal = "return";
  int dismissTries = 0;
  long boxesAnswered = 0;
  long events = 0;
};


// Runs in the child: generates (or replays) actions, logging each before it runs.
int runChild(const Options& o, int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setFont(QFont("DejaVu Sans", 8));
  Driver driver(o);
  std::ofstream log;
  if (!o.log.empty()) log.open(o.log, std::ios::trunc);
  std::thread([stall = o.stall] {
    long last = -1;
    auto since = std::chrono::steady_clock::now();
    while (true) {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      const long now = heartbeat.load();
      if (now != last) {
        last = now;
        since = std::chrono::steady_clock::now();
      } else if (std::chrono::steady_clock::now() - since > std::chrono::duration<double>(stall)) {
        std::cerr << "FINDING: hang (no progress for " << stall << " s)\n" << std::flush;
        _exit(4);
      }
    }
  }).detach();

  std::vector<std::string> replay;
  if (!o.replay.empty()) {
    std::ifstream in(o.replay);
    for (std::string line; std::getline(in, line);) replay.push_back(line);
  }
  RandomSource rnd(o.seed);
  const auto start = std::chrono::steady_clock::now();
  long actions = 0;
  while (true) {
    std::string action;
    if (!o.replay.empty()) {
      if (actions >= static_cast<long>(replay.size())) break;
      action = replay[static_cast<std::size_t>(actions)];
    } else {
      if (o.events >= 0 && driver.eventCount() >= o.events) break;
      if (o.seconds >= 0 && std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() >= o.seconds) break;
      action = driver.generate(rnd);
    }
    if (log.is_open()) log << action << '\n' << std::flush;
    ++actions;
    const std::string finding = driver.execute(action);
    ++heartbeat;
    if (!finding.empty()) {
      std::cerr << "FINDING: " << finding << " after action " << actions << ": " << action << '\n';
      return 3;
    }
  }
  std::cout << "window fuzz: seed " << o.seed << ", " << actions << " actions, " << driver.eventCount() << " events\n";
  return 0;
}

std::string failureOf(const RunResult& r) {
  for (const char* marker : {"AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer", "runtime error:"})
    if (r.err.find(marker) != std::string::npos) return "sanitizer report";
  if (r.timedOut) return "hang";
  if (r.signal) return "crash (signal " + std::to_string(r.signal) + ")";
  if (r.exitCode == 3) return "non-finite number";
  if (r.exitCode == 4) return "hang";
  if (r.exitCode != 0) return "crash (exit " + std::to_string(r.exitCode) + ")";
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string key = argv[i];
    auto value = [&] { return i + 1 < argc ? std::string(argv[++i]) : std::string(); };
    if (key == "--seed") o.seed = std::stoull(value());
    else if (key == "--events") o.events = std::stol(value());
    else if (key == "--seconds") o.seconds = std::stod(value());
    else if (key == "--no-alt-menu") o.altMenu = false;
    else if (key == "--stall") o.stall = std::stod(value());
    else if (key == "--work") o.work = value();
    else if (key == "--replay") o.replay = value();
    else if (key == "--log") o.log = value();
    else if (key == "--child") o.child = true;
    else if (key == "--trace") o.trace = true;
    else if (key == "-platform") ++i;
    else {
      std::cerr << "unknown option " << key << '\n';
      return 2;
    }
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  mkdir(o.work.c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", o.work.c_str(), 1);
  if (o.child) return runChild(o, argc, argv);
  if (o.replay.empty() && o.events < 0 && o.seconds < 0) {
    std::cerr << "usage: window_fuzz [--seed S] (--events N | --seconds T) [--no-alt-menu] [--stall T] | --replay FILE\n";
    return 2;
  }

  setenv("ASAN_OPTIONS", "detect_leaks=1:exitcode=86", 0);
  setenv("UBSAN_OPTIONS", "halt_on_error=1:print_stacktrace=1:exitcode=87", 0);
  const std::string self = "/proc/self/exe";
  char path[4096];
  const ssize_t n = readlink(self.c_str(), path, sizeof path - 1);
  const std::string program = n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string(argv[0]);
  auto childArgs = [&](const std::string& log, const std::string& replay) {
    std::vector<std::string> a = {program, "--child", "--seed", std::to_string(o.seed), "--stall", std::to_string(o.stall),
                                  "--work", o.work, "--log", log};
    if (!o.altMenu) a.push_back("--no-alt-menu");
    if (o.trace) a.push_back("--trace");
    if (!replay.empty()) {
      a.push_back("--replay");
      a.push_back(replay);
    } else {
      if (o.events >= 0) a.insert(a.end(), {"--events", std::to_string(o.events)});
      if (o.seconds >= 0) a.insert(a.end(), {"--seconds", std::to_string(o.seconds)});
    }
    return a;
  };
  const std::string log = o.work + "/actions-" + std::to_string(o.seed) + ".txt";
  // The watchdog of the supervisor is only a backstop: the child's own one reports a stall.
  const double limit = (o.seconds >= 0 ? o.seconds : 0) + (o.events >= 0 ? o.events * 0.5 : 0) + o.stall + 600;
  const RunResult run = runProgram(childArgs(log, o.replay), limit);
  std::cout << run.out;
  if (o.trace) std::cerr << run.err;
  const std::string failure = failureOf(run);
  if (failure.empty()) return 0;

  std::cout << "FINDING: " << failure << " (seed " << o.seed << ")\nchild stderr:\n" << run.err.substr(0, 6000) << '\n';
  std::vector<std::string> actions;
  {
    std::ifstream in(o.replay.empty() ? log : o.replay);
    for (std::string line; std::getline(in, line);) actions.push_back(line);
  }
  const std::string candidateFile = o.work + "/candidate.txt";
  const auto start = std::chrono::steady_clock::now();
  const auto small = minimise(actions, [&](const std::vector<std::string>& candidate) {
    if (std::chrono::steady_clock::now() - start > std::chrono::minutes(10)) return false;
    std::ofstream out(candidateFile, std::ios::trunc);
    for (const std::string& line : candidate) out << line << '\n';
    out.close();
    return failureOf(runProgram(childArgs(o.work + "/candidate-log.txt", candidateFile), o.stall + 120)) == failure;
  }, 200);
  const std::string saved = o.work + "/finding-window-" + std::to_string(o.seed) + ".txt";
  {
    std::ofstream out(saved, std::ios::trunc);
    for (const std::string& line : small) out << line << '\n';
  }
  std::cout << "minimised actions (" << small.size() << " of " << actions.size() << ", saved in " << saved << "):\n";
  for (const std::string& line : small) std::cout << line << '\n';
  std::cout << "replay: window_fuzz --replay " << saved << (o.altMenu ? "" : " --no-alt-menu") << '\n';
  return 1;
}
