// A line drawn on a window: two end points in twips, a colour and a width.
#pragma once

#include "ui/Control.h"

namespace ui {

class Line : public Control {
 public:
  Line(Form& form, std::string name, int index = -1);
  int x1() const { return x1_; }
  int y1() const { return y1_; }
  int x2() const { return x2_; }
  int y2() const { return y2_; }
  // Places the line; its bounding box becomes the control's geometry.
  void setEnds(int x1, int y1, int x2, int y2);
  Color borderColor() const { return foreColor(); }
  void setBorderColor(Color color);
  // Width in pixels.
  int borderWidth() const { return borderWidth_; }
  void setBorderWidth(int pixels);

 private:
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  int borderWidth_ = 1;
};

}  // namespace ui
