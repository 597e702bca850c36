#pragma once
// The lesson panel: a dock on the right of the window that shows the open lesson's present step
// and takes the student's answer. The lesson itself (steps, checks, setups) lives in
// LessonSession; this only shows it and runs its steps as user events of the window, so the
// setups' locks apply and the widgets follow. Each lesson keeps its place while the program runs.
#include <QDockWidget>
#include <QString>
#include <functional>
#include <map>
#include <string>

#include "lessons/lesson_session.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace linklab {

class MainWindowView;

class LessonDock : public QDockWidget {
 public:
  explicit LessonDock(MainWindowView& view);

  // Opens a lesson under key (a shipped lesson's name or a file's path): at step 1 the first
  // time, else where the student left it. False (after one message) when no step can be entered.
  bool openLesson(const std::string& key, Lesson lesson);
  // Reads a lesson file and opens it; a file that does not parse shows one message.
  bool openFile(const QString& file);

  void back() { go(-1); }
  void next() { go(+1); }
  LessonVerdict check();

  LessonSession* session();  // the lesson shown, or null
  // Replaceable, so tests run without the dialog: empty means cancelled.
  std::function<QString()> askOpenFile;
  QString folder;

 private:
  void go(int by);
  void enter(int n);
  void fail(const QString& text);
  void showStep();
  void showBeside();

  MainWindowView& view;
  std::map<std::string, LessonSession> sessions;
  std::string shown;  // the key of the lesson shown; empty before the first
  QLabel* lessonTitle;
  QLabel* stepCount;
  QTextBrowser* prose;
  QLabel* question;
  QLineEdit* answer;
  QLabel* verdict;
  QPushButton* backButton;
  QPushButton* nextButton;
  QPushButton* checkButton;
};

// Adds Help > Lessons (the shipped lessons by title) and File > Open Lesson... and the dock.
LessonDock& addLessonCommands(MainWindowView& view);

}  // namespace linklab
