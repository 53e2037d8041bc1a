// The printer as the program uses it: positions in twips, a current
// position, fonts by name and size, text, lines, pictures, pages and the
// image of a window. A failing operation throws PrinterError.
#pragma once

#include <stdexcept>
#include <string>

namespace ui {

class Form;

struct PrinterError : std::runtime_error {
  PrinterError(int number, const std::string& description)
      : std::runtime_error(description), number(number), description(description) {}
  int number;
  std::string description;
};

enum class Orientation { Portrait = 1, Landscape = 2 };

class Printer {
 public:
  virtual ~Printer() = default;

  virtual void setOrientation(Orientation orientation) = 0;
  virtual Orientation orientation() const = 0;

  // Printable width and height of the page in twips.
  virtual double pageWidth() const = 0;
  virtual double pageHeight() const = 0;

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

  virtual void line(double x1, double y1, double x2, double y2) = 0;
  // Draws a picture file into the rectangle (twips).
  virtual void paintPicture(const std::string& path, double x, double y, double width,
                            double height) = 0;
  // Prints the image of a window on a page of its own.
  virtual void printForm(Form& form) = 0;

  virtual void newPage() = 0;
  // Sends the document to the printer.
  virtual void endDoc() = 0;
  // Abandons the document being built: nothing of it is printed.
  virtual void killDoc() = 0;
};

}  // namespace ui
