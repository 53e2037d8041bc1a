// The vertical axis title: text drawn turned about its centre into the
// narrow picture box over the graph's left margin.
#pragma once

#include <cstdint>
#include <string>

namespace ui {
class PictureBox;
}

namespace quenta {

// A point in pixels, y growing downwards.
struct PixelPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// Turns a point about a centre by an angle in degrees, counter-clockwise
// on the screen (a point right of the centre moves up).
void RotatePoint(const PixelPoint& centre, PixelPoint& point, float angle);

// Where a text of width w and height h centred on (cx, cy) starts (the
// top left of its cell) before and after turning by the angle.
PixelPoint TextOriginBeforeTurn(int32_t cx, int32_t cy, int32_t w, int32_t h);
PixelPoint TurnedTextOrigin(int32_t cx, int32_t cy, int32_t w, int32_t h, float angle);

// Draws a text centred on (cx, cy) pixels of the box, turned by the angle
// (in whole tenths of a degree). False when the text cannot be measured.
bool PrintRotText(ui::PictureBox& box, const std::string& text, int32_t cx, int32_t cy,
                  float angle);

// Clears the title box and draws the window's title in its middle at the
// title angle.
void DrawYAxisTitle();

}  // namespace quenta
