// The services of the window layer on Qt: message boxes, modal loops,
// windows shown and hidden, the printer, the desktop shell, the save dialog
// and timers.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QPen>
#include <QPointF>
#include <QString>
#include <QTimer>

#include "ui/Control.h"
#include "ui/Printer.h"
#include "ui/Services.h"

class QEventLoop;
class QFileDialog;
class QPainter;
class QPrinter;

namespace qtui {

// Runs a layer timer on a QTimer: it follows the timer's enabled state and
// interval (each change starts the countdown afresh) and ticks it.
class QtTimer : public QObject, public ui::ControlListener {
  Q_OBJECT

 public:
  QtTimer(ui::Timer& timer, QObject* parent);
  ~QtTimer() override;
  void propertyChanged(ui::Control& control, ui::Prop prop) override;
  bool active() const { return qtimer_.isActive(); }

 private:
  void update();
  ui::Timer& timer_;
  QTimer qtimer_;
};

// The system printer, in twips or the program's scale. When the system has
// no printer, documents are written to a PDF file whose path is reported
// when it is finished.
class QtPrinter : public ui::Printer {
 public:
  QtPrinter();
  ~QtPrinter() override;

  void setOrientation(ui::Orientation orientation) override;
  ui::Orientation orientation() const override { return orientation_; }
  double pageWidth() const override;
  double pageHeight() const override;
  void setScale(double twipsPerUnit) override { scale_ = twipsPerUnit > 0 ? twipsPerUnit : 1; }
  double scale() const override { return scale_; }
  void setDrawWidth(int dots) override { drawWidth_ = dots; }
  int drawWidth() const override { return drawWidth_; }
  void setForeColor(ui::Color color) override { foreColor_ = color; }
  ui::Color foreColor() const override { return foreColor_; }
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
  void line(double x1, double y1, double x2, double y2, ui::Color color) override;
  void box(double x1, double y1, double x2, double y2, ui::Color color) override;
  void paintPicture(const std::string& path, double x, double y, double width,
                    double height) override;
  void paintPicture(const ui::PictureBox& box, double x, double y, double width,
                    double height) override;
  void printForm(ui::Form& form) override;
  void newPage() override;
  void endDoc() override;
  void killDoc() override;

  // Where documents go when the system has no printer (default: pdfFolder),
  // and who hears of a PDF file written (default: a message box naming it).
  void setPdfFolder(const QString& folder) { pdfFolder_ = folder; }
  std::function<void(const QString& path)> onPdfWritten;

 private:
  QPrinter& device() const;
  void begin();
  double toDevice(double twips) const;
  double toTwips(double devicePixels) const;
  // A position or size in the program's scale, in device pixels.
  double unitsToDevice(double units) const { return toDevice(units * scale_); }
  QPointF devicePoint(double x, double y) const;
  QPen pen(ui::Color color) const;
  QFont currentFont() const;

  mutable std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  mutable QString pdfPath_;
  QString pdfFolder_;
  bool pageMarked_ = false;
  ui::Orientation orientation_ = ui::Orientation::Portrait;
  double scale_ = 1;
  int drawWidth_ = 1;
  ui::Color foreColor_ = ui::colors::black;
  double x_ = 0, y_ = 0;
  std::string fontName_ = "Arial";
  double fontSize_ = 12;
  bool bold_ = false;
};

class QtServices : public ui::Services {
 public:
  QtServices();
  ~QtServices() override;
  QtServices(const QtServices&) = delete;
  QtServices& operator=(const QtServices&) = delete;

  ui::MsgResult messageBox(const ui::MessageBoxRequest& request) override;
  void runModal(ui::Form& form) override;
  void formShown(ui::Form& form) override;
  void formHidden(ui::Form& form) override;
  void formRaised(ui::Form& form) override;
  ui::Printer& printer() override;
  void shellOpen(const std::string& address) override;
  std::optional<std::string> saveFileDialog(const ui::SaveDialogRequest& request) override;
  int screenWidth() const override;
  int screenHeight() const override;
  double twipsPerPixelX() const override;
  double twipsPerPixelY() const override;
  bool textExtent(const ui::Control& control, const std::string& text, int& width,
                  int& height) override;
  void programEnding() override;

 private:
  struct ModalLoop {
    ui::Form* form;
    QEventLoop* loop;
  };
  std::vector<ModalLoop> modal_;
  std::unique_ptr<QtPrinter> printer_;
};

// Where a printout goes as a PDF file when the system has no printer: the
// user's documents folder, else the home folder.
QString pdfFolder();

// The folder the save dialog opens in: that of the name it proposes (the
// file chosen last in this run) where that folder is there, else
// pdfFolder().
QString saveDialogFolder(const std::string& lastName);
// Gives the save dialog's size, type and date columns the width of what
// they show, widening the dialog within the screen for them; nothing for
// a dialog of the desktop's own.
void showDetailColumnsWhole(QFileDialog& dialog);

// Message text with the program's line breaks (CR LF, or a lone CR or LF)
// as Qt line breaks.
QString messageText(const std::string& text);
// A save-dialog filter written "Text (*.txt)|*.txt|All files (*.*)|*.*" in
// Qt's form "Text (*.txt);;All files (*.*)".
QString dialogFilter(const std::string& filter);
// Lets fonts named by the program (Arial, MS Sans Serif, ...) fall back to
// metric-compatible fonts of this system.
void installFontSubstitutions();

}  // namespace qtui
