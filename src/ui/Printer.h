// The printer as the program uses it: positions in twips or in a scale of
// the program's own, a current position, fonts by name and size, text,
// lines and boxes in a colour and width, pictures, pages and the image of a
// window. A failing operation throws PrinterError.
#pragma once

#include <stdexcept>
#include <string>

#include "ui/Control.h"

namespace ui {

class Form;

struct PrinterError : std::runtime_error {
  PrinterError(int number, const std::string& description)
      : std::runtime_error(description), number(number), description(description) {}
  int number;
  std::string description;
};

// Runs one printer step whose failure the caller passes over: the next
// step runs all the same.
template <typename Step>
void passOverPrinterFailure(Step step) {
  try {
    step();
  } catch (const PrinterError&) {
  }
}

enum class Orientation { Portrait = 1, Landscape = 2 };

// Line widths are counted in printer dots of 1/600 inch.
constexpr double kTwipsPerDot = 1440.0 / 600.0;

class Printer {
 public:
  virtual ~Printer() = default;

  virtual void setOrientation(Orientation orientation) = 0;
  virtual Orientation orientation() const = 0;

  // Printable width and height of the page in twips, whatever the scale.
  virtual double pageWidth() const = 0;
  virtual double pageHeight() const = 0;

  // The unit of every position and size below (the current position, text
  // sizes, lines, boxes and pictures), in twips: 1 (the default) works in
  // twips, 1440 in inches. The origin is the top left of the printable
  // area.
  virtual void setScale(double twipsPerUnit) = 0;
  virtual double scale() const = 0;

  // Width of lines and boxes in dots (default 1), and the colour of text and
  // of lines drawn without a colour of their own (default black).
  virtual void setDrawWidth(int dots) = 0;
  virtual int drawWidth() const = 0;
  virtual void setForeColor(Color color) = 0;
  virtual Color foreColor() const = 0;

  virtual double currentX() const = 0;
  virtual double currentY() const = 0;
  virtual void setCurrentX(double twips) = 0;
  virtual void setCurrentY(double twips) = 0;

  virtual void setFontName(const std::string& name) = 0;
  virtual void setFontSize(double points) = 0;
  virtual void setFontBold(bool bold) = 0;
  virtual const std::string& fontName() const = 0;
  virtual double fontSize() const = 0;

  // Prints text at the current position. With a line break the position
  // moves to the start of the next line, else to the end of the text.
  virtual void print(const std::string& text, bool lineBreak = true) = 0;
  virtual double textWidth(const std::string& text) const = 0;
  virtual double textHeight(const std::string& text) const = 0;

  // A line in the fore colour, or in a colour of its own; the current
  // position moves to its end.
  virtual void line(double x1, double y1, double x2, double y2) = 0;
  virtual void line(double x1, double y1, double x2, double y2, Color color) = 0;
  // The outline of a rectangle between two corners.
  virtual void box(double x1, double y1, double x2, double y2, Color color) = 0;
  // Draws a picture file into the rectangle.
  virtual void paintPicture(const std::string& path, double x, double y, double width,
                            double height) = 0;
  // Draws what a picture box shows (its picture file, or the image its
  // window gives it) into the rectangle; nothing when it shows nothing.
  virtual void paintPicture(const PictureBox& box, double x, double y, double width,
                            double height) = 0;
  // Prints the image of a window on a page of its own.
  virtual void printForm(Form& form) = 0;

  virtual void newPage() = 0;
  // Sends the document to the printer.
  virtual void endDoc() = 0;
  // Abandons the document being built: nothing of it is printed.
  virtual void killDoc() = 0;
};

// Gives a document the settings every document starts from, whatever an
// earlier one left behind (one whose settings could not all be put back
// after a printer failure, say): positions in twips, lines one dot wide,
// text and lines in black. Only a setting that differs is written; a
// failure propagates as that of any operation of the document.
inline void startFromOwnSettings(Printer& printer) {
  if (printer.scale() != 1) printer.setScale(1);
  if (printer.drawWidth() != 1) printer.setDrawWidth(1);
  if (printer.foreColor() != colors::black) printer.setForeColor(colors::black);
}

}  // namespace ui
