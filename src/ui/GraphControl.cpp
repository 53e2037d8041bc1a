#include "ui/GraphControl.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace ui {

namespace {

// The record keeps at most this many calls; older ones are dropped in one
// block when it grows past it (a whole plot takes about 6000).
constexpr std::size_t kMaxCalls = 100000;
// Point indices and curve numbers the control holds.
constexpr int kMaxIndex = 32767;
constexpr int kMaxCurves = 16;
// How far a value may lie off a decade and still count as on it: values
// written in single precision miss the decade in their last digits.
constexpr double kDecadeTolerance = 1e-5;

// A property value as a whole number within [low, high]; one that is not
// a number counts as low.
int wholeWithin(double v, int low, int high) {
  if (!(v >= low)) return low;
  if (v > high) return high;
  return static_cast<int>(v);
}

double valueOr(const std::map<int, double>& values, int number, double fallback) {
  auto it = values.find(number);
  return it == values.end() ? fallback : it->second;
}

// The decades around the positive values of a curve coordinate.
void decadesOf(const std::vector<double>& values, double& lo, double& hi) {
  double smallest = std::numeric_limits<double>::infinity();
  double largest = 0;
  for (double v : values) {
    if (!(v > 0) || !std::isfinite(v)) continue;
    smallest = std::min(smallest, v);
    largest = std::max(largest, v);
  }
  if (!(largest > 0)) {
    lo = 0;
    hi = 1;
    return;
  }
  lo = std::floor(std::log10(smallest) + kDecadeTolerance);
  hi = std::ceil(std::log10(largest) - kDecadeTolerance);
  if (hi <= lo) hi = lo + 1;
}

// A step of 1, 2 or 5 times a power of ten that cuts the range into at most
// ten parts.
double niceStep(double range) {
  const double raw = range / 10;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * magnitude >= raw * (1 - 1e-9)) return m * magnitude;
  return 10 * magnitude;
}

}  // namespace

const char* valueTypeName(ValueType type) {
  switch (type) {
    case ValueType::Int16: return "int16";
    case ValueType::Int32: return "int32";
    case ValueType::Single: return "single";
    case ValueType::Double: return "double";
  }
  return "?";
}

namespace {

// Whether a number shows as plain decimals: 0, and 0.001 to below 1000000.
bool plainNumber(double value) {
  const double a = std::fabs(value);
  return a == 0 || (a >= 1e-3 * (1 - 1e-9) && a < 1e6);
}

std::string labelText(double value, bool plain) {
  if (value == 0 || !std::isfinite(value)) return "0";
  char buffer[32];
  if (plain) {
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return buffer;
  }
  const int exponent =
      static_cast<int>(std::floor(std::log10(std::fabs(value)) + kDecadeTolerance));
  const double mantissa = value / std::pow(10.0, exponent);
  std::snprintf(buffer, sizeof buffer, "%.3gE%d", mantissa, exponent);
  return buffer;
}

// Labels the major marks of an axis in one number style: plain decimals
// where every one of them shows so, else the exponent style for all.
void labelInOneStyle(std::vector<GraphTick>& ticks) {
  const bool plain = std::all_of(ticks.begin(), ticks.end(), [](const GraphTick& t) {
    return !t.major || plainNumber(t.value);
  });
  for (GraphTick& t : ticks)
    if (t.major) t.label = labelText(t.value, plain);
}

}  // namespace

std::string axisLabel(double value) { return labelText(value, plainNumber(value)); }

GraphControl::GraphControl(Form& form, std::string name, int index)
    : Control(form, Kind::Graph, std::move(name), index) {}

void GraphControl::record(const GraphCall& call) {
  if (calls_.size() >= kMaxCalls)
    calls_.erase(calls_.begin(), calls_.begin() + static_cast<std::ptrdiff_t>(kMaxCalls / 2));
  calls_.push_back(call);
}

void GraphControl::newGraph() {
  for (Curve& c : curves_) {
    c.x.clear();
    c.y.clear();
  }
  for (int number : {111, 112, 118, 119, 114}) values_.erase(number);
  overlay_.clear();
}

std::size_t GraphControl::selectedCurveNumber() const {
  return static_cast<std::size_t>(wholeWithin(valueOr(values_, 102, 1), 1, kMaxCurves));
}

GraphControl::Curve& GraphControl::selectedCurve() {
  const std::size_t n = selectedCurveNumber();
  if (curves_.size() < n) curves_.resize(n);
  return curves_[n - 1];
}

const GraphControl::Curve* GraphControl::selectedCurveIfAny() const {
  const std::size_t n = selectedCurveNumber();
  return curves_.size() < n ? nullptr : &curves_[n - 1];
}

void GraphControl::setProperty(int number, double value, ValueType type) {
  record({GraphCall::What::Write, number, 0, value, type});
  values_[number] = value;
  if (number == 115 && value == 0) newGraph();
  if (number == 13) selectedCurve().look = value;
  axesChanged();
  changed(Prop::Drawing);
}

void GraphControl::setIndexed(int number, int index, double value, ValueType type) {
  record({GraphCall::What::IndexedWrite, number, index, value, type});
  if (index < 0 || index > kMaxIndex || (number != 158 && number != 175)) return;
  Curve& curve = selectedCurve();
  std::vector<float>& points = number == 158 ? curve.y : curve.x;
  const auto i = static_cast<std::size_t>(index);
  if (points.size() <= i) points.resize(i + 1, 0.0f);
  points[i] = static_cast<float>(value);
  axesChanged();
  changed(Prop::Drawing);
}

double GraphControl::property(int number, int index) const {
  if (number == 158 || number == 175) {
    const Curve* curve = selectedCurveIfAny();
    if (!curve || index < 0) return 0;
    const std::vector<float>& points = number == 158 ? curve->y : curve->x;
    const auto i = static_cast<std::size_t>(index);
    return i < points.size() ? points[i] : 0.0;
  }
  if (number == 172) {
    const GraphAxis x = xAxis();
    const GraphAxis y = yAxis();
    switch (index) {
      case 1: return x.max;
      case 2: return x.min;
      case 3: return y.max;
      case 4: return y.min;
      case 5: return kPlotWidth;
      case 6: return kPlotHeight;
      case 7: return kPlotLeft;
      case 8: return baseEdge();
      default: return 0;
    }
  }
  return valueOr(values_, number, 0);
}

int GraphControl::style() const { return wholeWithin(property(44), -1, 1 << 30); }

int GraphControl::pointCount() const {
  return wholeWithin(valueOr(values_, 66, 0), 0, kMaxIndex);
}

int GraphControl::curveCount() const {
  return wholeWithin(valueOr(values_, 67, 1), 0, kMaxCurves);
}

int GraphControl::drawnCurves() const {
  return std::min(curveCount(), static_cast<int>(curves_.size()));
}

int GraphControl::lastDrawnPoint(const Curve& curve) const {
  const int written = static_cast<int>(std::min(curve.x.size(), curve.y.size())) - 1;
  return std::max(0, std::min(pointCount(), written));
}

// ---- Axes ------------------------------------------------------------------

void GraphControl::computeAxes() const {
  if (axesValid_) return;
  const int s = style();
  auto drawnValues = [&](bool horizontal) {
    std::vector<double> values;
    for (int c = 0; c < drawnCurves(); ++c) {
      const Curve& curve = curves_[static_cast<std::size_t>(c)];
      const std::vector<float>& points = horizontal ? curve.x : curve.y;
      for (int i = 1; i <= lastDrawnPoint(curve); ++i)
        values.push_back(points[static_cast<std::size_t>(i)]);
    }
    return values;
  };
  auto logAxis = [&](bool horizontal, int maxNumber, int minNumber) {
    GraphAxis a;
    a.logarithmic = true;
    double lo = 0, hi = 1;
    decadesOf(drawnValues(horizontal), lo, hi);
    a.min = std::pow(10.0, lo);
    a.max = std::pow(10.0, hi);
    // An end written by the program holds where the axis can take it (an
    // unwritten end reads 0, which it never can).
    if (const double low = valueOr(values_, minNumber, 0); low > 0) a.min = low;
    if (const double high = valueOr(values_, maxNumber, 0); high > a.min) a.max = high;
    return a;
  };
  auto linearAxis = [&](int maxNumber, int minNumber) {
    GraphAxis a;
    a.min = valueOr(values_, minNumber, 0);
    a.max = valueOr(values_, maxNumber, 0);
    if (!std::isfinite(a.min)) a.min = 0;
    if (!(a.max > a.min) || !std::isfinite(a.max)) a.max = a.min + 1;
    return a;
  };

  x_ = (s == 15 || s == 16) ? logAxis(true, 111, 112) : linearAxis(111, 112);
  if (s == 15) {
    y_ = logAxis(false, 118, 119);
  } else if (valueOr(values_, 114, 0) == 2) {
    // A scale symmetric about zero: the phase graph's degrees.
    y_ = GraphAxis{false, -100, 100};
  } else {
    y_ = linearAxis(118, 119);
  }
  axesValid_ = true;
}

GraphAxis GraphControl::xAxis() const {
  computeAxes();
  return x_;
}

GraphAxis GraphControl::yAxis() const {
  computeAxes();
  return y_;
}

double axisFraction(const GraphAxis& a, double value) {
  if (a.logarithmic) {
    if (!(value > 0)) return std::numeric_limits<double>::quiet_NaN();
    return (std::log10(value) - std::log10(a.min)) / (std::log10(a.max) - std::log10(a.min));
  }
  return (value - a.min) / (a.max - a.min);
}

namespace {

double valueAt(const GraphAxis& a, double fraction) {
  if (a.logarithmic)
    return std::pow(10.0, std::log10(a.min) + fraction * (std::log10(a.max) - std::log10(a.min)));
  return a.min + fraction * (a.max - a.min);
}

}  // namespace

double GraphControl::xToUnits(double x) const {
  return kPlotLeft + kPlotWidth * axisFraction(xAxis(), x);
}

double GraphControl::yToUnits(double y) const {
  return kPlotBottom + kPlotHeight * axisFraction(yAxis(), y);
}

double GraphControl::baseEdge() const {
  const GraphAxis y = yAxis();
  if (!y.logarithmic && y.max == 0 && y.min < 0) return kPlotBottom + kPlotHeight;
  return kPlotBottom;
}

std::vector<GraphTick> GraphControl::ticks(const GraphAxis& axis) {
  std::vector<GraphTick> out;
  if (axis.logarithmic) {
    const int lo = static_cast<int>(std::floor(std::log10(axis.min) + kDecadeTolerance));
    const int hi = static_cast<int>(std::ceil(std::log10(axis.max) - kDecadeTolerance));
    if (hi - lo > 40) return out;
    // An axis of one decade is labelled at 2 and 5 times it too.
    const bool oneDecade = hi - lo <= 1;
    for (int k = lo; k <= hi; ++k) {
      const double decade = std::pow(10.0, k);
      if (decade >= axis.min * (1 - kDecadeTolerance) && decade <= axis.max * (1 + kDecadeTolerance))
        out.push_back({decade, true, {}});
      if (k == hi) break;
      for (int j = 2; j <= 9; ++j) {
        const double v = j * decade;
        if (v > axis.min && v < axis.max) out.push_back({v, oneDecade && (j == 2 || j == 5), {}});
      }
    }
    labelInOneStyle(out);
    return out;
  }
  const double range = axis.max - axis.min;
  if (!(range > 0) || !std::isfinite(range)) return out;
  const double step = niceStep(range);
  const double first = std::ceil(axis.min / step - 1e-9);
  for (double k = first;; k += 1) {
    double v = k * step;
    if (v > axis.max + step * 1e-9) break;
    if (std::fabs(v) < step * 1e-9) v = 0;
    out.push_back({v, true, {}});
    if (out.size() > 100) break;
  }
  labelInOneStyle(out);
  return out;
}

// ---- Drawing library ---------------------------------------------------------

long GraphControl::setRop(long mode) {
  record({GraphCall::What::SetRop, static_cast<int>(mode)});
  const long old = rop_;
  rop_ = mode;
  return old;
}

long GraphControl::lineAbs(double x1, double y1, double x2, double y2, long, long, long) {
  record({GraphCall::What::Line, 0, 0, 0, ValueType::Int16, x1, y1, x2, y2});
  const OverlayLine line{x1, y1, x2, y2, rop_ == kRopXor};
  auto same = std::find(overlay_.begin(), overlay_.end(), line);
  if (line.exclusiveOr && same != overlay_.end())
    overlay_.erase(same);
  else
    overlay_.push_back(line);
  changed(Prop::Drawing);
  return 1;
}

// ---- Pointer and buttons -------------------------------------------------------

void GraphControl::pointerMove(double h, double v) {
  const double x = valueAt(xAxis(), (h - kPlotLeft) / kPlotWidth);
  const double y = valueAt(yAxis(), (v - kPlotBottom) / kPlotHeight);
  if (onPointerMove) onPointerMove(h, v, x, y);
}

void GraphControl::pointerAt(double x, double y) {
  if (onPointerMove) onPointerMove(xToUnits(x), yToUnits(y), x, y);
}

void GraphControl::buttonDown(int button) {
  if (onButton) onButton(button);
}

}  // namespace ui
