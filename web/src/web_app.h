#pragma once
// The page's side of the window model: every user event of the page calls the model's own
// handler through here, and afterwards the page asks what changed (controls, pictures drawn on,
// help windows) and brings its elements up to date, as the desktop view does.
#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lessons/lesson_session.h"
#include "main_window/form1.h"
#include "drawing_record.h"
#include "message_queue.h"
#include "pixel_raster.h"

namespace linklab::web {

class WebApp {
 public:
  WebApp();
  ~WebApp();
  WebApp(const WebApp&) = delete;
  WebApp& operator=(const WebApp&) = delete;

  void load() { form.Form_Load(); }

  // User events; false when NAME is no control of that kind.
  bool setText(const std::string& name, const std::string& text);
  bool setValue(const std::string& name, int value);
  bool click(const std::string& name);
  void mouse(bool down, int button, int shift, double x, double y);
  void showHelp(int which);
  void resetCounts();
  void closeHelp(int which);
  // One event of Timer1, as the page's interval timer delivers it; false while it is stopped.
  bool tick();

  // Device pixels per twip of the pictures: the page's zoom times the screen's pixel ratio / 15.
  // At a new scale each picture is drawn again from its record, so built-up pictures stay sharp.
  void setPixelScale(double devicePixelsPerTwip);

  // What changed since the last call, as JSON: {"controls":[...],"pictures":[...],"scales":[...],
  // "help":[...],"readouts":{...} or null,"valueTexts":bool,"timer":{...}}. Pictures are listed
  // by index with their size in device pixels; scales by picture name with the picture's twips,
  // their lines as flat [x1,y1,x2,y2,zero,...] and their labels as [x,y,align,edge,text] (align 0
  // left, 1 centre, 2 right; edge 0 top, 1 bottom). Readout tips come in the first readouts only.
  // valueTexts: a slider's text in real units may read otherwise than at the last call.
  std::string changes();
  // The raster of picture INDEX, or null.
  const PixelRaster* raster(int index) const;
  int pictureCount() const { return static_cast<int>(pictures.size()); }

  std::string takeMessage() { return messages.take(); }
  void messageClosed() { messages.closed(); }

  static std::string tooltip(const std::string& name);
  // The names of the controls that take focus, in the window's tab order, as a JSON array.
  std::string tabOrder() const;
  // Saving: a file name without suffix for picture NAME or for "window", and a picture as SVG
  // (rasterPng, the picture's pixels as PNG, stands in when its record is incomplete).
  std::string fileStem(const std::string& name) const;
  bool pictureComplete(const std::string& name) const;
  std::string pictureSvg(const std::string& name, const std::string& rasterPng) const;
  // A slider's value in real units, or "" for a control without them.
  std::string sliderText(const std::string& name) const;

  // Scales over the pictures: the size of a label in twips (from the page's font), and on / off.
  void setScaleStyle(double labelHeight, double charWidth, double gap);
  void setScalesShown(bool shown);

  // Setups: a setup text, or a link fragment when it starts with '#', applied all or nothing.
  // A setup that cannot be opened changes nothing and queues one message naming SOURCE and the
  // line at fault. Locked controls refuse the user events above.
  bool openSetup(const std::string& text, const std::string& source);
  std::string setupText() const;
  std::string setupLink() const;
  static std::string lockedTooltip();

  // Lessons, each keeping its place while the page lives (keyed by a shipped lesson's name or a
  // file's name). Failures queue one message, as the desktop's dock shows them.
  static std::string lessonList();  // JSON [{"name":..,"title":..}] of the shipped lessons
  bool openLesson(const std::string& name);
  bool openLessonText(const std::string& text, const std::string& fileName);
  bool lessonGo(int by);  // -1 back, +1 next
  void lessonAnswer(const std::string& text);
  // {"verdict":"pass"|"fail"|"none","message":..}
  std::string lessonCheck() const;
  bool lessonSolve();
  // The present step as JSON: {"open":false} before any lesson, else title, step, count,
  // stepTitle, intro (step 1 only), prose, question, answer.
  std::string lessonState() const;

  Form1& model() { return form; }

 private:
  struct Picture {
    PictureBox* box;
    std::unique_ptr<PixelRaster> raster;
    std::unique_ptr<DrawingRecord> record;  // between the box and its raster
    std::unique_ptr<PictureScales> sentScales;  // as last sent
    int sentWidth = 0, sentHeight = 0;
    bool scalesSent = false;
  };
  // What the page was last sent, to compare with before writing any JSON.
  struct SentHelp {
    std::string caption, text, close;
    bool visible = false, sent = false;
  };
  static constexpr int kFigures = 7;
  struct SentReadouts {
    std::array<std::string, kFigures> texts;
    std::array<bool, kFigures> shown{};
    bool reset = false, sent = false;
  };
  void acted() { messages.userActed(); }
  // The user's own act failed: the same failure twice shows twice.
  void fail(const std::string& text) {
    acted();
    messages.message(text);
  }
  bool enterLesson(const std::string& key, Lesson lesson);
  LessonSession* shownLesson();
  const LessonSession* shownLesson() const;
  void readoutsJson(std::string& out);
  bool scalesChanged(Picture& p);

  Form1 form;
  MessageQueue messages;
  std::vector<Picture> pictures;
  std::vector<std::string> sentControls;  // each control's raw fields (describeControl)
  std::string scratchRaw;
  std::unordered_map<const Control*, std::string> sentSliderTexts;
  std::array<SentHelp, 2> sentHelp;
  SentReadouts sentReadouts;
  bool resized = false;
  double pixelScale = 0;
  const PictureBox* picture(const std::string& name) const;
  ScaleStyle scaleStyle;
  bool scalesShown = true;
  PictureScales scratch;
  std::string scalesJson(const PictureBox& box) const;
  std::map<std::string, LessonSession> lessons;
  std::string lessonShown;
};

}  // namespace linklab::web
