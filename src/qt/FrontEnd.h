// The Qt front end's shared pieces: the guard around every call from Qt's
// event loop into the program logic, the end of the program, the registry
// that creates a form's window on first use, and unit conversions.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include <QColor>
#include <QImage>
#include <QString>

#include "ui/Control.h"

class QWidget;

namespace ui {
class Form;
struct ProgramEnd;
}  // namespace ui

namespace qtui {

class Binder;

// ---- The end of the program ------------------------------------------------

// Asks Qt to leave every running event loop, nested modal loops included;
// the program then ends. Later modal loops return at once.
void requestEnd();
bool endRequested();

// Reports an exception that escaped the program logic and ends the program.
void unexpectedError(const char* what) noexcept;

// Runs program logic on behalf of a Qt event: nothing thrown may cross Qt's
// event loop. A program end asks the event loops to finish; any other
// exception is reported and ends the program.
template <typename F>
void callLayer(F&& f) noexcept;

// ---- Windows of the forms --------------------------------------------------

struct FormWindow {
  // Builds the form's content (from its .ui file), with the window flags
  // its window takes. The window around it keeps it within the screen
  // (ScreenFit.h).
  std::function<QWidget*()> create;
  // Whether the window system's close box may close the window. A dialog
  // that must end only through its own OK button says no.
  bool userMayClose = true;
};

// Registers how the window of the form with this name is built.
void registerFormWindow(const std::string& formName, FormWindow entry);
// Builds the registered window of the form with this name, unbound, its
// content fitted to the screen; the caller owns it. nullptr when none is
// registered.
QWidget* createFormWidget(const std::string& formName);
// The binder of the form's window, creating and binding the window from the
// registry on first use; nullptr when no window is registered for the form.
Binder* windowFor(ui::Form& form);
// Destroys every window created through windowFor (at the end of the run).
// Nothing else destroys them: a program that ends by exit() (Qt's X
// platform when the display goes away) leaves them to go with the process,
// not to the destructors of static objects.
void closeAllWindows();
// Whether any bound form window is showing.
bool anyWindowShown();
// Whether closing a window that leaves none on screen ends the program
// (off by default; the program turns it on).
void setEndWhenNoWindowLeft(bool on);
bool endWhenNoWindowLeft();

// ---- Units and files -------------------------------------------------------

// Twips per logical pixel of the primary screen (1440 twips to the inch).
double twipsPerPixel();
int twipsToPixels(double twips);
int pixelsToTwips(double pixels);

// The picture in the file the program names: backslashes read as folder
// separators, and a name not found as written is looked up without regard
// to letter case. The path is used as the bytes it holds (a folder name
// need not be UTF-8). A null image when there is no such picture; exists
// then tells whether a file was found at all.
QImage loadPicture(const std::string& path, bool* exists = nullptr);

QString toQ(const std::string& text);
std::string fromQ(const QString& text);
QColor qcolor(ui::Color color);

// The property of a picture box's label that holds the picture at its own
// size: the label shows it scaled to the box, the printer prints it whole.
inline constexpr const char* kSourcePixmap = "quentaSourcePixmap";

// ---- Implementation ----------------------------------------------------------

void catchLayerException(std::exception_ptr error) noexcept;

template <typename F>
void callLayer(F&& f) noexcept {
  try {
    f();
  } catch (...) {
    catchLayerException(std::current_exception());
  }
}

}  // namespace qtui
