// Headless implementations of the services: for tests and the scripted
// session runner. Dialog answers come from hooks the caller installs; the
// printer records every operation; the clock runs the timers on demand.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/Printer.h"
#include "ui/Services.h"

namespace ui {

class Timer;

// A printer that records each operation as a line of text, for example
// `text 4200,1440 "Part Number"`, `line 0,300 12240,300` (in the fore
// colour), `line 0,300 12240,300 #FF0000`, `box 10,10 90,90 #000000`,
// `drawwidth 4`, `forecolor #008000` or `scale 1.6`; positions are in the
// units of the scale. A failure can be planted on the Nth operation from
// now. Ending a document on which nothing was drawn sends nothing, as a
// real printer prints no blank page.
class RecordingPrinter : public Printer {
 public:
  void setOrientation(Orientation orientation) override;
  Orientation orientation() const override { return orientation_; }
  double pageWidth() const override;
  double pageHeight() const override;
  void setScale(double twipsPerUnit) override;
  double scale() const override { return scale_; }
  void setDrawWidth(int dots) override;
  int drawWidth() const override { return drawWidth_; }
  void setForeColor(Color color) override;
  Color foreColor() const override { return foreColor_; }
  double currentX() const override { return x_; }
  double currentY() const override { return y_; }
  void setCurrentX(double twips) override { x_ = twips; }
  void setCurrentY(double twips) override { y_ = twips; }
  void setFontName(const std::string& name) override;
  void setFontSize(double points) override;
  void setFontBold(bool bold) override;
  const std::string& fontName() const override { return fontName_; }
  double fontSize() const override { return fontSize_; }
  void print(const std::string& text, bool lineBreak = true) override;
  double textWidth(const std::string& text) const override;
  double textHeight(const std::string& text) const override;
  void line(double x1, double y1, double x2, double y2) override;
  void line(double x1, double y1, double x2, double y2, Color color) override;
  void box(double x1, double y1, double x2, double y2, Color color) override;
  void paintPicture(const std::string& path, double x, double y, double width,
                    double height) override;
  // Recorded as `picture of FORM.CONTROL x,y WxH` for a box without a file.
  void paintPicture(const PictureBox& box, double x, double y, double width,
                    double height) override;
  void printForm(Form& form) override;
  void newPage() override;
  void endDoc() override;
  void killDoc() override;

  // Operations of the document being built.
  const std::vector<std::string>& pending() const { return pending_; }
  // Documents sent to the printer, each a list of operations.
  const std::vector<std::vector<std::string>>& documents() const { return documents_; }
  // Called with each finished document.
  std::function<void(const std::vector<std::string>&)> onDocument;
  // The operation `afterOps` operations from now throws this error.
  void failAfter(int afterOps, int number, const std::string& description);

 private:
  // Counts an operation towards a planted failure (and throws it).
  void countOperation();
  // Records an operation; `marks` for one that puts something on the page.
  void record(const std::string& op, bool marks = false);
  // Records a line or box between two points; the position moves to its end.
  void drawn(const std::string& op, double x1, double y1, double x2, double y2,
             const std::string& color);
  Orientation orientation_ = Orientation::Portrait;
  double scale_ = 1;
  int drawWidth_ = 1;
  Color foreColor_ = colors::black;
  double x_ = 0, y_ = 0;
  std::string fontName_ = "Arial";
  double fontSize_ = 12;
  bool bold_ = false;
  std::vector<std::string> pending_;
  bool marked_ = false;  // something was drawn on the pending document
  std::vector<std::vector<std::string>> documents_;
  int failCountdown_ = -1;
  int failNumber_ = 0;
  std::string failDescription_;
};

// Runs the timers against a virtual clock.
class Clock {
 public:
  // Advances the clock, running every due timer in time order.
  void advance(int ms);
  long long now() const { return now_; }

 private:
  struct Entry {
    long long due = 0;
    unsigned generation = 0;
  };
  void sync();
  long long now_ = 0;
  std::map<const Timer*, Entry> entries_;
};

class HeadlessServices : public Services {
 public:
  // Answers message boxes; without a hook every box answers OK (or Yes).
  std::function<MsgResult(const MessageBoxRequest&)> onMessageBox;
  // Runs a modal dialog until it is hidden; without a hook the dialog
  // returns at once (it is hidden first).
  std::function<void(Form&)> onRunModal;
  std::function<void(Form&)> onFormShown;
  std::function<void(Form&)> onFormHidden;
  std::function<void(const std::string&)> onShellOpen;
  std::function<std::optional<std::string>(const SaveDialogRequest&)> onSaveDialog;
  std::function<void()> onProgramEnding;

  MsgResult messageBox(const MessageBoxRequest& request) override;
  void runModal(Form& form) override;
  void formShown(Form& form) override;
  void formHidden(Form& form) override;
  Printer& printer() override { return printer_; }
  void shellOpen(const std::string& address) override;
  std::optional<std::string> saveFileDialog(const SaveDialogRequest& request) override;
  void programEnding() override;

  RecordingPrinter& recordingPrinter() { return printer_; }
  Clock& clock() { return clock_; }

  // Message boxes seen so far, and shell opens.
  std::vector<MessageBoxRequest> messages;
  std::vector<std::string> opened;

 private:
  RecordingPrinter printer_;
  Clock clock_;
};

// Installs services for the lifetime of a scope, restoring the previous ones.
class ScopedServices {
 public:
  explicit ScopedServices(Services& services);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  Services* previous_;
};

// A colour as a transcript writes it: "#RRGGBB".
std::string colorText(Color color);

// Quotes a text for a transcript: in double quotes, with carriage returns,
// line feeds, tabs, backslashes and quotes escaped.
std::string quoteText(const std::string& text);

}  // namespace ui
