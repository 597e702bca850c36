#pragma once
// Runs the main window model from a script of commands, one a line: the project's end-to-end
// tests and screenshots use it. See the README for the commands.
#include <iosfwd>
#include <string>
#include <string_view>

#include "form/host.h"
#include "lessons/lesson_session.h"

namespace linklab {

class Form1;

// Writes a picture, or the whole window for "window", as a PNG. Supplied by the Qt view.
class Snapshotter {
 public:
  virtual ~Snapshotter() = default;
  // Returns an empty string on success, else why it failed.
  virtual std::string save(std::string_view name, const std::string& file) = 0;
};

// Messages of a batch run are printed, never shown.
class PrintingHost : public Host {
 public:
  explicit PrintingHost(std::ostream& out) : out(out) {}
  void message(std::string_view text) override;

 private:
  std::ostream& out;
};

class BatchRunner {
 public:
  BatchRunner(Form1& form, std::ostream& out, std::ostream& err, Snapshotter* snapshotter = nullptr)
      : form(form), out(out), err(err), snapshotter(snapshotter) {}

  // Runs every line; returns 0 at the end of input, 1 at the first error or when the input
  // cannot be read (reported on err).
  int run(std::istream& in);

 private:
  // Each returns an empty string on success, else the reason of the error.
  std::string execute(std::string_view line);
  std::string set(std::string_view name, std::string_view value);
  std::string click(std::string_view name);
  std::string tick(std::string_view count);
  std::string call(std::string_view rest);
  std::string let(std::string_view rest);
  std::string mouse(std::string_view rest);
  std::string print(std::string_view name);
  std::string record(std::string_view onOff);
  std::string ops(std::string_view name);
  std::string save(std::string_view rest);

  Form1& form;
  std::ostream& out;
  std::ostream& err;
  Snapshotter* snapshotter;
  LessonSession lesson;  // the lesson a script opened, if any
};

}  // namespace linklab
