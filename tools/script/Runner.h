// The scripted session runner: drives the program's logic on the headless
// window layer from a script, one command a line, and prints what the user
// would notice (message boxes, windows shown and hidden, printed documents,
// shell opens, the program's end) as it happens.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Services.h"

namespace ui {
class Control;
class HeadlessServices;
class ScopedServices;
}  // namespace ui

namespace script {

// A fault of the script (unknown command or control, unanswered message
// box, ...). Deliberately not a std::exception: it unwinds through the
// program's handlers like ui::ProgramEnd, and only the runner catches it.
struct ScriptError {
  std::string message;
};

// Splits a script line into arguments: blanks separate them, `#` starts a
// comment, "..." holds blanks, with \" \\ \r \n \t escapes. Throws
// ScriptError (message without a line number) for a malformed line.
std::vector<std::string> splitLine(const std::string& line);

// The operations of a printed document as a transcript shows them: a run
// of curve segments that go on from one another is folded to its ends.
std::vector<std::string> foldCurves(const std::vector<std::string>& operations);

// Formats a field of the shared design state by its name, e.g.
// "ChipDesign.Effectives"; nothing for an unknown name.
std::optional<std::string> stateField(const std::string& name);

class Runner {
 public:
  // Installs headless services whose hooks print to `out` until destroyed.
  Runner(std::ostream& out, std::ostream& err);
  ~Runner();
  Runner(const Runner&) = delete;
  Runner& operator=(const Runner&) = delete;

  // Makes a form known by its name for `FORM.CONTROL` and `dump FORM`
  // (the program's windows are known already).
  void addForm(ui::Form& form);

  // Runs a script to its end. Returns 0, 2 for a fault of the script, 1 when
  // the program's logic failed with an exception.
  int run(std::istream& script);

 private:
  using Args = std::vector<std::string>;
  void installServices();
  bool readCommand(Args& args);
  void execute(const Args& args);
  [[noreturn]] void fail(const std::string& message);
  [[noreturn]] void failAtEnd(const std::string& message);
  void say(const std::string& line);

  void runModal(ui::Form& form);
  void formShown(ui::Form& form);
  void formHidden(ui::Form& form);
  ui::MsgResult answerMessageBox(const ui::MessageBoxRequest& request);
  std::optional<std::string> answerSaveDialog(const ui::SaveDialogRequest& request);
  void printDocument(const std::vector<std::string>& operations);
  void programEnding();

  ui::Form* focusedForm() const;
  ui::Form* findForm(const std::string& name);
  ui::Control& control(const std::string& name);
  ui::Control& userControl(const std::string& name, bool takesFocus);
  ui::Control* pressControl(const std::string& name);
  void show(const Args& args);
  void dump(ui::Form& form);
  // Prints a text one line a row, each with its own line break: its
  // number of lines, then at most `most` of them.
  void sayLines(const std::string& heading, const std::string& text, std::size_t most = SIZE_MAX);

  // Files the session saves or looks at live in a folder of its own, made
  // on first use and removed with the runner: a relative name is taken
  // there, and the transcript names them relative to it.
  const std::string& scratchFolder();
  std::string scratchPath(const std::string& name);
  void showFile(const std::string& name, std::size_t most);
  // Runs the session on as the user "nobody" (true) or as the superuser
  // again, where it runs as the superuser: permissions then bind it.
  // False when the user cannot be changed.
  bool beUnprivileged(bool on);

  std::ostream& out_;
  std::ostream& err_;
  std::unique_ptr<ui::HeadlessServices> services_;
  std::unique_ptr<ui::ScopedServices> scope_;
  std::istream* in_ = nullptr;
  int line_ = 0;
  std::optional<std::string> failure_;  // the first error, kept if swallowed
  bool ended_ = false;
  int documents_ = 0;
  std::vector<ui::Form*> extraForms_;
  std::vector<ui::Form*> seen_;    // forms shown since the start
  std::vector<ui::Form*> shown_;   // shown forms, the last shown last
  std::vector<ui::Form*> modal_;   // open modal dialogs, innermost last
  ui::Form* announcedModal_ = nullptr;
  std::string scratch_;
  bool unprivileged_ = false;
};

// Runs a script with a fresh runner.
int run(std::istream& script, std::ostream& out, std::ostream& err);

// The command line: quenta10-script [--folder DIR] [SCRIPT].
int runMain(int argc, char** argv);

}  // namespace script
