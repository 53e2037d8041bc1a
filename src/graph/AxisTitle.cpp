#include "graph/AxisTitle.h"

#include <cmath>

#include "catalogue/RecordReader.h"
#include "graph/GraphForm.h"
#include "ui/Services.h"

namespace quenta {

namespace {
// The nearest whole number, halves to the even neighbour (2.5 gives 2).
int32_t Whole(double v) { return static_cast<int32_t>(RoundHalfEven(v)); }
}  // namespace

void RotatePoint(const PixelPoint& centre, PixelPoint& point, float angle) {
  const float theta = static_cast<float>(3.14159265358979 / 180 * angle);
  const float dx = static_cast<float>(point.x - centre.x);
  const float dy = static_cast<float>(point.y - centre.y);
  const double s = std::sin(static_cast<double>(theta));
  const double c = std::cos(static_cast<double>(theta));
  const int32_t x = Whole(dy * s + dx * c + centre.x);
  const int32_t y = Whole(centre.y + dy * c - dx * s);
  point = {x, y};
}

PixelPoint TextOriginBeforeTurn(int32_t cx, int32_t cy, int32_t w, int32_t h) {
  return {Whole(cx - w / 2.0), Whole(cy - h / 2.0)};
}

PixelPoint TurnedTextOrigin(int32_t cx, int32_t cy, int32_t w, int32_t h, float angle) {
  PixelPoint origin = TextOriginBeforeTurn(cx, cy, w, h);
  RotatePoint({cx, cy}, origin, angle);
  return origin;
}

bool PrintRotText(ui::PictureBox& box, const std::string& text, int32_t cx, int32_t cy,
                  float angle) {
  // The font is turned in whole tenths of a degree.
  const int32_t escapement = Whole(angle * 10.0);
  int w = 0, h = 0;
  if (!ui::services().textExtent(box, text, w, h)) return false;
  const PixelPoint origin = TurnedTextOrigin(cx, cy, w, h, angle);
  box.drawText({text, origin.x, origin.y, escapement / 10.0});
  return true;
}

void DrawYAxisTitle() {
  GraphForm& f = F_QuentaGrafForm();
  ui::PictureBox& box = f.picText;
  box.clearDrawing();
  const ui::Services& s = ui::services();
  const int32_t cx = Whole(box.scaleWidth() / 2.0 / s.twipsPerPixelX());
  const int32_t cy = Whole(box.scaleHeight() / 2.0 / s.twipsPerPixelY());
  PrintRotText(box, f.TitleText, cx, cy, f.TitleAngle);
}

}  // namespace quenta
