// A charting control driven by property number, with a drawing library
// for cursor lines, in the window layer (no Qt).
//
// The program writes numbered properties: curve points one index at a time
// (158 the vertical value, 175 the horizontal value, of the curve that 102
// selects), the point count (66), the number of curves (67), the style (44),
// explicit axis ends (111 x maximum, 112 x minimum, 118 y maximum, 119 y
// minimum) and a vertical scale mode (114). Writing 115 = 0 begins a new
// graph. Every write is recorded in order. The control reports its axes and
// plot area back through property 172, and raises a pointer-move event and
// a button event.
//
// Drawing units: x runs from 0 at the left edge to 1300 at the right, y from
// 0 at the bottom edge up to 660 at the top. The plot area starts at x = 200
// and is 1000 units wide; its bottom lies at y = 122 and it is 500 high.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

// The type a value was written as.
enum class ValueType { Int16, Int32, Single, Double };
const char* valueTypeName(ValueType type);

// One call the program made on the control, in the order made.
struct GraphCall {
  enum class What { Write, IndexedWrite, SetRop, Line };
  What what = What::Write;
  int number = 0;  // property number; the raster mode for SetRop
  int index = 0;   // point index of an indexed write
  double value = 0;
  ValueType type = ValueType::Int16;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a line
};

// A cursor line in drawing units. An exclusive-or line drawn again at the
// same place removes itself.
struct OverlayLine {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool exclusiveOr = true;
  bool operator==(const OverlayLine&) const = default;
};

// One axis as the control draws it.
struct GraphAxis {
  bool logarithmic = false;
  double min = 0;  // data units; a logarithmic axis ends on decades
  double max = 1;
};

// A mark on an axis: its value, whether it is a major (labelled) line, and
// the label text. A logarithmic axis has its decades as major lines, and
// when it spans one decade only, 2 and 5 times it as well. The labels of an
// axis are all in one number style (axisLabel), or all in the exponent one.
struct GraphTick {
  double value = 0;
  bool major = false;
  std::string label;
};

class GraphControl : public Control {
 public:
  static constexpr double kUnitsWide = 1300;
  static constexpr double kUnitsHigh = 660;
  static constexpr double kPlotLeft = 200;
  static constexpr double kPlotWidth = 1000;
  static constexpr double kPlotBottom = 122;
  static constexpr double kPlotHeight = 500;

  // Raster modes of the drawing library.
  static constexpr long kRopCopy = 0;
  static constexpr long kRopXor = 2;

  struct Curve {
    std::vector<float> y;  // property 158 by point index
    std::vector<float> x;  // property 175 by point index
    double look = 0;       // property 13
  };

  GraphControl(Form& form, std::string name, int index = -1);

  // ---- Properties ----------------------------------------------------------
  void setProperty(int number, double value, ValueType type = ValueType::Int16);
  // Writes one point of the selected curve: 158 (vertical) or 175
  // (horizontal). A negative index is ignored.
  void setIndexed(int number, int index, double value, ValueType type = ValueType::Single);
  // Reads back: 158 and 175 at an index of the selected curve (0 when never
  // written), 172 at 1 to 8 the axes and plot area; any other property the
  // value last written (0 when never written).
  double property(int number, int index = 0) const;

  // ---- Drawing library -----------------------------------------------------
  // Sets the raster mode for the lines that follow; returns the old one.
  long setRop(long mode);
  // Draws a line in drawing units. In exclusive-or mode an identical line
  // already on the graph is removed instead. The last three arguments are
  // accepted and have no meaning here. Returns 1.
  long lineAbs(double x1, double y1, double x2, double y2, long a = 1, long b = 0, long c = 14);
  const std::vector<OverlayLine>& overlay() const { return overlay_; }

  // ---- What is drawn -------------------------------------------------------
  // Style 44: 15 both axes logarithmic, 16 logarithmic x and linear y, any
  // other value both linear.
  int style() const;
  int pointCount() const;  // property 66: points 1 to it are drawn
  int curveCount() const;  // property 67
  const std::vector<Curve>& curves() const { return curves_; }
  // The curves drawn, and the last point drawn of one (0 for none).
  int drawnCurves() const;
  int lastDrawnPoint(const Curve& curve) const;
  GraphAxis xAxis() const;
  GraphAxis yAxis() const;
  // Grid lines and labels of an axis.
  static std::vector<GraphTick> ticks(const GraphAxis& axis);
  // The drawing-unit position of a data value on an axis (unbounded).
  double xToUnits(double x) const;
  double yToUnits(double y) const;
  // The base edge: the bottom of the plot, or its top when the vertical
  // scale is linear and ends at 0 there (values at or below 0).
  double baseEdge() const;

  // ---- Calls recorded ------------------------------------------------------
  // Every call since the record was last cleared. The record keeps the most
  // recent calls only (well over one whole plot).
  const std::vector<GraphCall>& calls() const { return calls_; }
  void clearCalls() { calls_.clear(); }

  // ---- Pointer and buttons -------------------------------------------------
  // The pointer moved to (h, v) in drawing units: raises PointerMove with
  // the position in data units too.
  void pointerMove(double h, double v);
  // The pointer moved to the point of data values (x, y).
  void pointerAt(double x, double y);
  // A button went down: 1 left, 2 right, 4 middle.
  void buttonDown(int button);
  // Event 13: h, v in drawing units, x, y in data units.
  std::function<void(double h, double v, double x, double y)> onPointerMove;
  // Event 12: the button code.
  std::function<void(int button)> onButton;

 private:
  void record(const GraphCall& call);
  void newGraph();
  std::size_t selectedCurveNumber() const;  // property 102, 1 to 16
  Curve& selectedCurve();
  const Curve* selectedCurveIfAny() const;
  void axesChanged() { axesValid_ = false; }
  void computeAxes() const;

  std::map<int, double> values_;
  std::vector<Curve> curves_;
  std::vector<OverlayLine> overlay_;
  std::vector<GraphCall> calls_;
  long rop_ = kRopCopy;
  mutable bool axesValid_ = false;
  mutable GraphAxis x_, y_;
};

// Where a value lies along an axis, from 0 at its minimum to 1 at its
// maximum (unbounded); NaN for a value a logarithmic axis cannot show, and
// not finite for a value that is not.
double axisFraction(const GraphAxis& axis, double value);

// A number as an axis label: plain decimals from 0.001 to below 1000000,
// else the exponent style, "1E6" or "1E-4" for powers of ten and "2.5E6"
// for others.
std::string axisLabel(double value);

}  // namespace ui
