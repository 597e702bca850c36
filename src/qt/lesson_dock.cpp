#include "qt/lesson_dock.h"

#include <QAction>
#include <QRegularExpression>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "main_window/form1.h"
#include "qt/file_dialogs.h"
#include "qt/main_window_view.h"

namespace linklab {

namespace {

const QString kFilter = "LinkLab lesson (*.lesson)";

QString qs(const std::string& text) { return QString::fromStdString(text); }

// The step's prose as HTML paragraphs: the lesson keeps blank lines between paragraphs, and the
// line breaks inside one are only where the author wrapped the text.
QString proseHtml(const std::string& text) {
  QString html;
  for (const QString& paragraph : qs(text).split(QRegularExpression("\\n\\s*\\n"), Qt::SkipEmptyParts))
    html += "<p>" + paragraph.trimmed().toHtmlEscaped().replace('\n', ' ') + "</p>";
  return html;
}

}  // namespace

LessonDock::LessonDock(MainWindowView& view) : QDockWidget("Lesson", &view), view(view) {
  setObjectName("LessonDock");
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  // The fonts are the application's, which follows the layout scale; bold comes from markup so
  // that no widget carries a font of its own.
  lessonTitle = new QLabel(body);
  lessonTitle->setObjectName("LessonTitle");
  lessonTitle->setWordWrap(true);
  stepCount = new QLabel(body);
  stepCount->setObjectName("LessonStepCount");
  prose = new QTextBrowser(body);
  prose->setObjectName("LessonProse");
  prose->setOpenLinks(false);
  question = new QLabel(body);
  question->setObjectName("LessonQuestion");
  question->setWordWrap(true);
  answer = new QLineEdit(body);
  answer->setObjectName("LessonAnswer");
  verdict = new QLabel(body);
  verdict->setObjectName("LessonVerdict");
  verdict->setWordWrap(true);
  auto* buttons = new QHBoxLayout;
  backButton = new QPushButton("&Back", body);
  backButton->setObjectName("LessonBack");
  nextButton = new QPushButton("&Next", body);
  nextButton->setObjectName("LessonNext");
  checkButton = new QPushButton("&Check", body);
  checkButton->setObjectName("LessonCheck");
  buttons->addWidget(backButton);
  buttons->addWidget(nextButton);
  buttons->addStretch();
  buttons->addWidget(checkButton);
  for (QWidget* w : {static_cast<QWidget*>(lessonTitle), static_cast<QWidget*>(stepCount)}) column->addWidget(w);
  column->addWidget(prose, 1);
  column->addWidget(question);
  column->addWidget(answer);
  column->addLayout(buttons);
  column->addWidget(verdict);
  setWidget(body);
  view.addDockWidget(Qt::RightDockWidgetArea, this);
  hide();

  connect(backButton, &QPushButton::clicked, this, [this] { back(); });
  connect(nextButton, &QPushButton::clicked, this, [this] { next(); });
  connect(checkButton, &QPushButton::clicked, this, [this] { check(); });
  connect(answer, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (LessonSession* s = session()) s->setAnswer(text.toStdString());
    verdict->clear();  // the verdict was about the answer before
  });

  folder = QDir::homePath();
  askOpenFile = [this] { return askOpenFileName(&this->view, "Open Lesson", folder, kFilter); };
}

LessonSession* LessonDock::session() {
  auto it = sessions.find(shown);
  return it == sessions.end() ? nullptr : &it->second;
}

void LessonDock::fail(const QString& text) {
  view.messageHost().userActed();  // the student's own act: the same failure twice shows twice
  view.messageHost().message(text.toStdString());
}

bool LessonDock::openLesson(const std::string& key, Lesson lesson) {
  if (lesson.steps.empty()) {
    fail("The lesson " + qs(lesson.title) + " has no steps.");
    return false;
  }
  auto [it, added] = sessions.try_emplace(key);
  if (added) it->second.open(std::move(lesson));
  // Behind typed text still on its way to the model the step waits its turn, so the handler
  // finds the session again rather than holding on to anything here.
  auto ok = std::make_shared<bool>(true);
  view.runEvent([this, key, added = added, ok] {
    auto found = sessions.find(key);
    if (found == sessions.end()) return;
    LessonSession& s = found->second;
    // Back where the student left it, with the step's setup and locks again: another lesson may
    // have changed the window since. Entering clears the answer, which is kept.
    const std::string typed = s.typedAnswer();
    const std::string why = s.enterStep(view.model(), std::max(1, s.step()));
    if (!why.empty()) {
      *ok = false;
      const QString title = qs(s.current().title);
      if (added) sessions.erase(found);
      fail("Cannot open the lesson " + title + ":\n" + qs(why));
      return;
    }
    s.setAnswer(typed);
    shown = key;
    showStep();
    showBeside();
  });
  return *ok;
}

bool LessonDock::openFile(const QString& file) {
  QFile in(file);
  const QString name = QFileInfo(file).fileName();
  if (!in.open(QIODevice::ReadOnly)) {
    fail("Cannot open the lesson " + name + ": " + in.errorString());
    return false;
  }
  folder = QFileInfo(file).absolutePath();
  LessonParse parsed = parseLessonText(in.readAll().toStdString());
  if (!parsed.lesson) {
    fail("Cannot read the lesson " + name + ":\n" + qs(parsed.error));
    return false;
  }
  return openLesson(QFileInfo(file).absoluteFilePath().toStdString(), std::move(*parsed.lesson));
}

void LessonDock::showBeside() {
  if (isVisible()) return;
  const int wide = sizeHint().width();
  show();
  // The window widens by the panel, as far as the screen allows, so the link keeps its scale.
  if (view.isMaximized() || view.isFullScreen()) return;
  int width = view.width() + wide;
  if (const QScreen* screen = view.screen())
    width = std::min(width, screen->availableGeometry().width() - (view.frameGeometry().width() - view.width()));
  view.resize(std::max(width, view.width()), view.height());
}

void LessonDock::go(int by) {
  view.runEvent([this, by] {
    LessonSession* s = session();
    if (!s) return;
    const int n = s->step() + by;
    if (n < 1 || n > static_cast<int>(s->current().steps.size())) return;
    const std::string why = s->enterStep(view.model(), n);
    if (!why.empty()) fail("Cannot enter the step:\n" + qs(why));
    showStep();
  });
}

LessonVerdict LessonDock::check() {
  LessonSession* s = session();
  if (!s) return {};
  const LessonVerdict v = s->check(view.model());
  switch (v.kind) {
    case LessonVerdict::Kind::Pass:
      verdict->setStyleSheet("color: #107010;");
      verdict->setText(qs(v.message));
      break;
    case LessonVerdict::Kind::Fail:
      verdict->setStyleSheet("color: #b01010;");
      verdict->setText(qs(v.message));
      break;
    case LessonVerdict::Kind::None:
      verdict->setStyleSheet({});
      verdict->setText("This step has no check.");
      break;
  }
  return v;
}

void LessonDock::showStep() {
  LessonSession* s = session();
  if (!s || s->step() < 1) return;
  const Lesson& lesson = s->current();
  const int n = s->step(), count = static_cast<int>(lesson.steps.size());
  const LessonStep& step = lesson.steps[static_cast<std::size_t>(n - 1)];
  lessonTitle->setText("<b>" + qs(lesson.title).toHtmlEscaped() + "</b>");
  stepCount->setText(QString("Step %1 of %2").arg(n).arg(count));
  QString html = "<h3>" + qs(step.title).toHtmlEscaped() + "</h3>";
  if (n == 1) html += proseHtml(lesson.intro);  // the lesson's introduction leads into its first step
  prose->setHtml(html + proseHtml(step.prose));
  const bool asks = !step.question.empty();
  question->setText(qs(step.question));
  question->setVisible(asks);
  answer->setVisible(asks);
  answer->setText(qs(s->typedAnswer()));
  verdict->clear();
  verdict->setStyleSheet({});
  backButton->setEnabled(n > 1);
  nextButton->setEnabled(n < count);
}

LessonDock& addLessonCommands(MainWindowView& view) {
  auto* dock = new LessonDock(view);
  if (QMenu* help = view.findChild<QMenu*>("HelpMenu")) {
    QMenu* lessons = help->addMenu("&Lessons");
    lessons->setObjectName("LessonsMenu");
    for (const ShippedLesson& shipped : shippedLessons()) {
      LessonParse parsed = parseLessonText(shipped.text);
      if (!parsed.lesson) continue;  // the shipped texts are parsed in their own tests
      QAction* action = lessons->addAction(qs(parsed.lesson->title).replace('&', "&&"));
      action->setObjectName(qs("lesson:" + std::string(shipped.name)));
      // Parsed again when picked: a parsed lesson cannot be copied into the handler.
      QObject::connect(action, &QAction::triggered, dock, [dock, shipped] {
        LessonParse again = parseLessonText(shipped.text);
        if (again.lesson) dock->openLesson(std::string(shipped.name), std::move(*again.lesson));
      });
    }
  }
  QMenu* file = view.findChild<QMenu*>("FileMenu");
  if (!file) file = view.menuBar()->addMenu("&File");
  auto* open = new QAction("Open &Lesson...", file);
  open->setObjectName("OpenLesson");
  QObject::connect(open, &QAction::triggered, dock, [dock] {
    // The dialog runs from the event loop's top level, never inside the menu.
    QTimer::singleShot(0, dock, [dock] {
      const QString name = dock->askOpenFile();
      if (!name.isEmpty()) dock->openFile(name);
    });
  });
  QAction* setupOpen = view.findChild<QAction*>("OpenSetup");
  const QList<QAction*> actions = file->actions();
  // After the setup commands, which end where their separator stands.
  QAction* before = nullptr;
  if (setupOpen) {
    const qsizetype at = actions.indexOf(setupOpen);
    for (qsizetype i = at; i >= 0 && i < actions.size(); ++i)
      if (actions[i]->isSeparator()) {
        before = actions[i];
        break;
      }
  }
  file->insertAction(before, open);
  return *dock;
}

}  // namespace linklab
