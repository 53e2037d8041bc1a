#include "ui/Line.h"

#include <algorithm>
#include <cstdlib>

namespace ui {

Line::Line(Form& form, std::string name, int index)
    : Control(form, Kind::Line, std::move(name), index) {}

void Line::setEnds(int x1, int y1, int x2, int y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
  changed(Prop::Drawing);
}

void Line::setBorderColor(Color color) {
  setForeColor(color);
  changed(Prop::Drawing);
}

void Line::setBorderWidth(int pixels) {
  borderWidth_ = pixels;
  changed(Prop::Drawing);
}

}  // namespace ui
