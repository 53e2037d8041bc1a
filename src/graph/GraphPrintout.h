// The printed graph page of the ESR and impedance, temperature-rise,
// maximum current and maximum ripple voltage graphs: one landscape page in
// units of 1.6 twips, with its own frame, grids, labels, title, legend,
// readout line, curves recomputed at one point per ten units, and the
// cursor line. The pieces are plain functions of their inputs, so the
// page can be checked without the graph window.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Printer.h"

namespace quenta {

// One page unit in twips.
constexpr double kPageUnitTwips = 1.6;

// The page and its plot box, in page units.
struct PlotBox {
  float width = 0, height = 0;  // the printable area
  int left = 0, right = 0, top = 0, bottom = 0;
  int points = 0;  // points of the frequency curves, one per ten units
};
PlotBox PlotBoxFor(double printableWidthTwips, double printableHeightTwips);

// The range of a page from the range boxes: hertz for the frequency
// graphs (start at least 5, end at most 1E10), °C for the temperature-rise
// graph (0 to the first box rounded up to a multiple of ten).
struct PageRange {
  double start = 0, end = 0;
  bool refused() const { return !(start < end); }
};
PageRange PageRangeFor(int kind, const std::string& startText, const std::string& endText);

// Decades of a logarithmic axis: exponents of ten and their count.
struct Decades {
  int low = 0, high = 0, count = 1;
};
// The frequency axis of the page, and of the window's plot: whole decades
// around the range.
Decades FrequencyDecades(const PageRange& range);
// The value axis: whole decades around the lowest and highest value; one
// decade from 1 to 10 when no value is above zero.
Decades ValueDecades(float lowest, float highest);

// The temperature-rise axis of the page, and the top of the window's: 0
// to its top in steps of 10 °C.
struct RiseAxis {
  int low = 0, top = 0, steps = 1;
};
RiseAxis RiseAxisFor(const PageRange& range);

// The current axis of the temperature-rise graph, chosen by the largest
// current: 10 A, 1 A or 0.1 A steps.
struct CurrentAxis {
  double top = 1;
  int steps = 10;
  double labelStep = 0.1;
  ui::Color stepColor = 0;
  bool minorLines = false;
  ui::Color minorColor = 0;
};
CurrentAxis CurrentAxisFor(float largest);

// The lowest and highest value of the curves (points 1 to count), for the
// value axis: the lowest never above 100 nor below 0.0001, the highest
// never below 0; kind 0 takes both curves.
struct ValueRange {
  float low = 100, high = 0;
};
ValueRange ScanValues(int kind, std::span<const double> y1, std::span<const double> y2, int count);

// A number as the page writes its axis labels: a blank before zero and
// positive values, no zero before the decimal point (" 10", " .1").
std::string AxisLabelText(double value);

// The texts of a kind: the title, the horizontal-axis caption with its
// offset to the left of the centre, and the readout line built from the
// three readout boxes.
std::string PageTitle(int kind);
std::string PageCaption(int kind);
int PageCaptionOffset(int kind);
std::string PageReadoutLine(int kind, const std::array<std::string, 3>& readouts);

// What the curve model is asked for: `count` points of the kind, the
// frequency of point i being 10^((i / count) x decades.count + decades.low)
// hertz (kinds 0, 2, 3), or the rise (i / count) x riseTop °C (kind 1).
struct PageSweep {
  int kind = 0;
  int count = 0;
  Decades decades;
  int riseTop = 0;
};
// The points, indices 1 to count: y1 the curve of every kind (kind 0 the
// ESR in milliohms), y2 the impedance of kind 0 in milliohms.
struct PagePoints {
  std::vector<double> y1, y2;
};
using PageModel = std::function<void(const PageSweep& sweep, PagePoints& points)>;

struct GraphPage {
  int kind = 0;
  PageRange range;
  std::string header;                   // the heading at the top left
  const ui::PictureBox* banner = nullptr;  // the banner, none for nullptr
  std::array<std::string, 3> readouts;  // the readout boxes as shown
  // The graph control's axes at the moment: horizontal maximum and
  // minimum, vertical maximum and minimum, in axis units.
  std::array<float, 4> axes{};
  PageModel model;
};

// Draws the page and ends the document, then gives the printer back its
// orientation and scale. The page starts from its own settings, whatever
// an earlier printout left on the printer. Nothing is drawn for a refused
// range or a kind without a drawn page. The first printer failure abandons
// the document, gives the printer back its settings as far as it can and
// propagates as ui::PrinterError; nothing of the page is printed.
void DrawGraphPage(ui::Printer& printer, const GraphPage& page);

}  // namespace quenta
