// Services the program logic asks of its surroundings: message boxes,
// modal dialogs, the printer, the desktop shell, the save dialog and the end
// of the program. The Qt front end and the headless test layer each provide
// them.
#pragma once

#include <optional>
#include <string>

namespace ui {

class Control;
class Form;
class Printer;

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Question, Exclamation, Critical, Information };
enum class MsgResult { Ok = 1, Yes = 6, No = 7 };

struct MessageBoxRequest {
  std::string text;
  std::string title;
  MsgButtons buttons = MsgButtons::Ok;
  MsgIcon icon = MsgIcon::None;
};

struct SaveDialogRequest {
  std::string title;
  std::string filter;       // "Text (*.txt)|*.txt|All files (*.*)|*.*"
  std::string defaultName;  // file name proposed
  std::string defaultExt;   // "txt": added to a name typed without one
};

// A file name with the default extension added when its last part has
// none ("data" gives "data.txt"; "data.csv", "a.b/data." and "" stay).
std::string addDefaultExtension(const std::string& name, const std::string& extension);

// Thrown by endProgram: it unwinds every nested handler at once. Only the
// outermost dispatcher (the front end or the script runner) catches it.
struct ProgramEnd {};

class Services {
 public:
  virtual ~Services() = default;

  virtual MsgResult messageBox(const MessageBoxRequest& request) = 0;
  // Runs the modal loop of a form that has just been shown; returns when it
  // is hidden. Throws ProgramEnd when the program ends meanwhile.
  virtual void runModal(Form& form) = 0;
  // A form was shown or hidden (for the front end and transcripts).
  virtual void formShown(Form& form) { (void)form; }
  virtual void formHidden(Form& form) { (void)form; }
  // A modeless form already shown was shown again: its window comes to the
  // front, as a window does when it is shown.
  virtual void formRaised(Form& form) { (void)form; }
  virtual Printer& printer() = 0;
  // Opens a document address with the desktop's opener.
  virtual void shellOpen(const std::string& address) = 0;
  // Asks for a file to save to; nothing when the user cancels. The name
  // returned carries the default extension when the user typed none, and
  // the user has agreed to replace a file of that name.
  virtual std::optional<std::string> saveFileDialog(const SaveDialogRequest& request) = 0;
  // Screen size in twips, for centring windows.
  virtual int screenWidth() const { return 1920 * 15; }
  virtual int screenHeight() const { return 1080 * 15; }
  // Twips per screen pixel, across and down.
  virtual double twipsPerPixelX() const { return 15; }
  virtual double twipsPerPixelY() const { return 15; }
  // Width and height in pixels of a text written in a control's font; false
  // when it cannot be measured. Without a screen the size is estimated from
  // the font size.
  virtual bool textExtent(const Control& control, const std::string& text, int& width,
                          int& height);
  // The program is ending (before ProgramEnd unwinds the handlers).
  virtual void programEnding() {}
};

// The services in force. Tests and the front end install theirs.
Services& services();
void setServices(Services* services);

// Shows a message box through the services.
MsgResult msgBox(const std::string& text, MsgButtons buttons = MsgButtons::Ok,
                 const std::string& title = "", MsgIcon icon = MsgIcon::None);

// How many message boxes and modal windows the program has opened so far
// (Form::focusForPress tells by it whether one took a press), and the note
// of one more.
unsigned modalsOpened();
void noteModalOpened();

// Ends the program at once: unwinds every nested handler.
[[noreturn]] void endProgram();

}  // namespace ui
