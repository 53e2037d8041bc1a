#include "graph/GraphPrintout.h"

#include <algorithm>
#include <cmath>

#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"

namespace quenta {

namespace {

constexpr ui::Color kBlack = ui::rgb(0, 0, 0);
constexpr ui::Color kRed = ui::rgb(255, 0, 0);
constexpr ui::Color kBlue = ui::rgb(0, 0, 255);
constexpr ui::Color kCursorGreen = ui::rgb(0, 255, 0);
constexpr ui::Color kCursorFore = ui::rgb(0, 0x80, 0);
constexpr ui::Color kGrey = ui::rgb(0x70, 0x70, 0x70);
constexpr ui::Color kDarkGrey = ui::rgb(0x40, 0x40, 0x40);
constexpr ui::Color kLightGrey = ui::rgb(0x80, 0x80, 0x80);

constexpr int kGridWidth = 4;
constexpr int kLegendWidth = 5;
constexpr int kCurveWidth = 12;

bool FrequencyKind(int kind) { return kind == 0 || kind == 2 || kind == 3; }

int DecadeCount(int low, int high) {
  const int n = high > low ? high - low : high + 1 - low;
  return std::max(n, 1);
}

double At(const std::vector<double>& values, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < values.size() ? values[static_cast<std::size_t>(i)]
                                                                : 0.0;
}

// Cuts the segment to the rectangle (Liang-Barsky); false when nothing of
// it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, const PlotBox& box) {
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - box.left, box.right - x1, y1 - box.top, box.bottom - y1};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const double sx = x1, sy = y1;
  x1 = sx + t0 * dx;
  y1 = sy + t0 * dy;
  x2 = sx + t1 * dx;
  y2 = sy + t1 * dy;
  return true;
}

class PageDrawer {
 public:
  PageDrawer(ui::Printer& printer, const GraphPage& page) : p_(printer), page_(page) {}

  void draw() {
    ui::startFromOwnSettings(p_);
    p_.setScale(1);
    p_.setOrientation(ui::Orientation::Landscape);
    box_ = PlotBoxFor(p_.pageWidth(), p_.pageHeight());
    p_.setScale(kPageUnitTwips);
    p_.setFontName("Arial");
    p_.setFontSize(12);
    p_.setDrawWidth(kGridWidth);
    at(10, 10);
    p_.print(page_.header);

    p_.box(box_.left, box_.top, box_.right, box_.bottom, kBlack);
    if (page_.banner) {
      p_.setScale(1440);  // inches
      p_.paintPicture(*page_.banner, 6.85, 0.15, 2.687, 0.38);
      p_.setScale(kPageUnitTwips);
    }

    if (page_.kind == 1)
      riseGrid();
    else
      frequencyGrid();
    texts();
    computePoints();
    const ValueRange values = ScanValues(page_.kind, points_.y1, points_.y2, count_);
    if (page_.kind == 1) {
      currentAxis_ = CurrentAxisFor(values.high);
      currentGrid();
    } else {
      valueDecades_ = ValueDecades(values.low, values.high);
      valueGrid();
    }
    curves();
    cursor();
    p_.endDoc();
  }

 private:
  void at(double x, double y) {
    p_.setCurrentX(x);
    p_.setCurrentY(y);
  }
  double height() const { return box_.bottom - box_.top; }

  // Vertical decade lines and their labels along the bottom, in kilohertz.
  void frequencyGrid() {
    frequencyDecades_ = FrequencyDecades(page_.range);
    const Decades& d = frequencyDecades_;
    at(box_.right - 150, box_.bottom + 150);
    p_.print(RoundSig3Text(std::pow(10.0, d.high) / 1000));
    at(box_.left - 150, box_.bottom + 150);
    p_.print(RoundSig3Text(std::pow(10.0, d.low) / 1000));
    at(0, 0);
    const int n = d.count;
    const float w = static_cast<float>(box_.points * 10) / static_cast<float>(n);
    for (int s = 1; s <= n; ++s) {
      p_.setDrawWidth(kGridWidth);
      for (int j = 2; j <= 9; ++j) {
        const double x = Log10(j) * w + (s - 1) * w + box_.left;
        p_.line(x, box_.top, x, box_.bottom, kGrey);
      }
      p_.setDrawWidth(kGridWidth);
      const double x = static_cast<double>(s) * w + box_.left;
      p_.line(x, box_.top, x, box_.bottom, kBlack);
      if (s != n) {
        // Each label from its own decade, so no rounding error of a
        // repeated product shows ("0.01", not "0.00999").
        at(x - 150, box_.bottom + 150);
        p_.print(RoundSig3Text(std::pow(10.0, d.low + s) / 1000));
      }
    }
  }

  // Horizontal lines every 10 °C (and every degree for fewer than five
  // steps), labelled along the left edge.
  void riseGrid() {
    riseAxis_ = RiseAxisFor(page_.range);
    at(0, 0);
    const int n = riseAxis_.steps;
    const float h = static_cast<float>(height()) / static_cast<float>(n);
    for (int s = 1; s <= n; ++s) {
      if (n < 5) {
        p_.setDrawWidth(kGridWidth);
        for (int j = 1; j <= 9; ++j) {
          const double y = box_.bottom - ((s - 1) * h + j * 0.1 * h);
          p_.line(box_.left, y, box_.right, y, kGrey);
        }
      }
      at(box_.left - 400, box_.bottom - static_cast<double>(h) * s - 75);
      p_.print(AxisLabelText(s * 10));
      p_.setDrawWidth(kGridWidth);
      const double y = box_.bottom - static_cast<double>(h) * s;
      p_.line(box_.left, y, box_.right, y, kBlack);
    }
  }

  void texts() {
    const int kind = page_.kind;
    at(box_.left, box_.top - 500);
    p_.setFontName("Arial");
    p_.print(PageTitle(kind));
    if (kind == 0) {
      p_.setDrawWidth(kLegendWidth);
      p_.line(box_.left, box_.top - 300, box_.left + 500, box_.top - 300, kRed);
      p_.setDrawWidth(kLegendWidth);
      p_.line(box_.left + 1050, box_.top - 300, box_.left + 1550, box_.top - 300, kBlue);
    }
    at((box_.right - box_.left) / 2.0 + box_.left - PageCaptionOffset(kind), box_.bottom + 350);
    p_.print(PageCaption(kind));
    p_.setCurrentY(box_.top - 200);
    p_.setCurrentX(box_.left);
    p_.print(PageReadoutLine(kind, page_.readouts));
  }

  // The curve model fills buffers of the page's own, one point per ten
  // units across (frequency graphs) or up (temperature-rise graph).
  void computePoints() {
    PageSweep sweep;
    sweep.kind = page_.kind;
    if (page_.kind == 1) {
      sweep.count = static_cast<int>(std::floor(height() / 10.0));
      sweep.riseTop = riseAxis_.top;
    } else {
      sweep.count = box_.points;
      sweep.decades = frequencyDecades_;
    }
    count_ = std::max(sweep.count, 0);
    points_.y1.assign(static_cast<std::size_t>(count_) + 1, 0.0);
    points_.y2.assign(static_cast<std::size_t>(count_) + 1, 0.0);
    if (page_.model) page_.model(sweep, points_);
    // A point the model could not compute is 0, and is not drawn.
    for (auto* values : {&points_.y1, &points_.y2}) {
      values->resize(static_cast<std::size_t>(count_) + 1, 0.0);
      for (double& v : *values)
        if (!std::isfinite(v)) v = 0;
    }
  }

  // Horizontal decade lines of the values, labelled at the right edge (in
  // ohms for the milliohms of kind 0).
  void valueGrid() {
    const Decades& d = valueDecades_;
    const int n = d.count;
    const double divisor = page_.kind == 0 ? 1000 : 1;
    auto label = [&](int s) {
      at(box_.right + 50, (box_.bottom - 50) - height() / n * (s - 1));
      p_.print(AxisLabelText(std::pow(10.0, d.low + s - 1) / divisor));
    };
    for (int s = 1; s <= n; ++s) {
      const double h = height() / n;
      p_.setDrawWidth(kGridWidth);
      for (int j = 2; j <= 9; ++j) {
        const double y = box_.bottom - (Log10(j) * h + (s - 1) * h);
        p_.line(box_.left, y, box_.right, y, kGrey);
      }
      p_.setDrawWidth(kGridWidth);
      const double y = box_.bottom - s * h;
      p_.line(box_.left, y, box_.right, y, kBlack);
      label(s);
    }
    label(n + 1);
  }

  // Vertical current lines and their labels along the bottom.
  void currentGrid() {
    const CurrentAxis& a = currentAxis_;
    const double w = static_cast<double>(box_.right - box_.left) / a.steps;
    for (int s = 1; s <= a.steps; ++s) {
      if (a.minorLines) {
        p_.setDrawWidth(kGridWidth);
        for (int j = 1; j <= 9; ++j) {
          const double x = (s - 1) * w + j * 0.1 * w + box_.left;
          p_.line(x, box_.top, x, box_.bottom, a.minorColor);
        }
      }
      p_.setDrawWidth(kGridWidth);
      const double x = s * w + box_.left;
      p_.line(x, box_.top, x, box_.bottom, a.stepColor);
      at(x - 150, box_.bottom + 50);
      p_.print(AxisLabelText(s * a.labelStep));
    }
    at(box_.left - 150, box_.bottom + 50);
    p_.print("0.0");
  }

  void segment(double x1, double y1, double x2, double y2, ui::Color color) {
    if (!ClipSegment(x1, y1, x2, y2, box_)) return;
    p_.line(x1, y1, x2, y2, color);
  }

  void curves() {
    p_.setDrawWidth(kCurveWidth);
    if (page_.kind == 1) {
      const double top = currentAxis_.top;
      auto x = [&](double v) { return v / top * (box_.right - box_.left) + box_.left; };
      for (int i = 2; i <= count_; ++i) {
        segment(x(At(points_.y1, i - 1)), box_.bottom - 10.0 * (i - 1), x(At(points_.y1, i)),
                box_.bottom - 10.0 * i, kRed);
      }
      return;
    }
    const Decades& d = valueDecades_;
    auto y = [&](double v) { return box_.bottom - height() * (Log10(v) - d.low) / d.count; };
    // A value of 0 or less has no place on a logarithmic axis.
    auto logSegment = [&](const std::vector<double>& values, int i, ui::Color color) {
      const double a = At(values, i - 1), b = At(values, i);
      if (!(a > 0) || !(b > 0)) return;
      segment(box_.left + 10.0 * (i - 1), y(a), box_.left + 10.0 * i, y(b), color);
    };
    for (int i = 2; i <= count_; ++i) {
      logSegment(points_.y1, i, kRed);
      if (page_.kind == 0) logSegment(points_.y2, i, kBlue);
    }
  }

  // The cursor line where the readout stands, placed by its share of the
  // graph control's axis; none when the readout is not a number.
  void cursor() {
    p_.setForeColor(kCursorFore);
    p_.setDrawWidth(kCurveWidth);
    double value = 0;
    if (ParseWholeNumber(page_.readouts[0], value) != NumberStatus::Ok) return;
    const auto& q = page_.axes;
    double share = 0;
    if (page_.kind == 1) {
      share = (value - q[3]) / (static_cast<double>(q[2]) - q[3]) * 100;
    } else {
      share = (Log10(value) - Log10(q[1])) / (Log10(q[0]) - Log10(q[1])) * 100;
    }
    if (!std::isfinite(share)) return;
    if (page_.kind == 1) {
      const double y = box_.bottom - share * height() / 100;
      p_.line(box_.right, y, box_.left, y, kCursorGreen);
    } else {
      const double x = share * (box_.right - box_.left) / 100 + box_.left;
      p_.line(x, box_.bottom, x, box_.top, kCursorGreen);
    }
  }

  ui::Printer& p_;
  const GraphPage& page_;
  PlotBox box_;
  Decades frequencyDecades_;
  RiseAxis riseAxis_;
  Decades valueDecades_;
  CurrentAxis currentAxis_;
  PagePoints points_;
  int count_ = 0;
};

}  // namespace

PlotBox PlotBoxFor(double printableWidthTwips, double printableHeightTwips) {
  PlotBox box;
  box.width = static_cast<float>(printableWidthTwips / kPageUnitTwips);
  box.height = static_cast<float>(printableHeightTwips / kPageUnitTwips);
  box.right = static_cast<int>(std::floor(box.width * 0.9));
  box.left = static_cast<int>(std::floor(box.width * 0.1));
  box.bottom = static_cast<int>(std::floor(box.height * 0.9));
  box.top = static_cast<int>(std::floor(box.height * 0.12));
  box.points = (box.right - box.left) / 10;
  return box;
}

PageRange PageRangeFor(int kind, const std::string& startText, const std::string& endText) {
  PageRange r;
  r.start = std::nearbyint(LeadingNumber(startText) * 1000);  // halves to even
  r.end = std::nearbyint(LeadingNumber(endText) * 1000);
  if (FrequencyKind(kind)) {
    if (r.start < 5) r.start = 5;
    if (r.end > 1e10) r.end = 1e10;
  } else if (kind == 1) {
    // The first box alone: its value rounded up to a multiple of 10 °C.
    r.end = std::nearbyint(r.start / 1000);
    r.end = std::floor(r.end / 10 + 0.9999999999999) * 10;
    r.start = 0;
  } else {
    r = PageRange{};
  }
  return r;
}

Decades FrequencyDecades(const PageRange& range) {
  Decades d;
  d.high = static_cast<int>(std::floor(Log10(range.end) + 0.99999999));
  d.low = static_cast<int>(std::floor(Log10(range.start + 0.5)));
  d.count = DecadeCount(d.low, d.high);
  return d;
}

Decades ValueDecades(float lowest, float highest) {
  Decades d;
  if (!(highest > 0) || !(lowest > 0) || !std::isfinite(highest)) {
    d.low = 0;
    d.high = 1;
    d.count = 1;
    return d;
  }
  d.high = static_cast<int>(std::floor(Log10(highest) + 0.999999999));
  d.low = static_cast<int>(std::floor(Log10(lowest)));
  d.count = DecadeCount(d.low, d.high);
  return d;
}

RiseAxis RiseAxisFor(const PageRange& range) {
  // The scale lies within 0 to 150 °C: the range is held there before it
  // becomes whole degrees, whatever the boxes held.
  const auto held = [](double v) { return v > 150 ? 150.0 : v > 0 ? v : 0.0; };
  const double start = held(range.start), end = held(range.end);
  RiseAxis a;
  a.low = start < 10 ? 0 : static_cast<int>(std::floor(start / 10)) * 10;
  a.top = end > 140 ? 150 : static_cast<int>(std::floor(end / 10 + 0.5)) * 10;
  a.steps = std::max((a.top - a.low) / 10, 1);
  return a;
}

CurrentAxis CurrentAxisFor(float largest) {
  // With no current above zero (or none that is a number) the axis runs
  // to 1 A; a scale of more than a million steps is none.
  const double y =
      largest > 0 && std::isfinite(largest) ? std::min(static_cast<double>(largest), 1e6) : 1.0;
  CurrentAxis a;
  a.stepColor = kBlack;
  if (y > 10) {
    a.top = std::floor(y / 10 + 0.99999999999) * 10;
    a.steps = static_cast<int>(std::lround(a.top / 10));
    a.labelStep = 10;
    a.stepColor = kDarkGrey;
  } else if (y > 1) {
    a.top = std::floor(y + 0.99999999999);
    a.steps = static_cast<int>(std::lround(a.top));
    a.labelStep = 1;
    a.minorLines = a.steps < 6;
    a.minorColor = kGrey;
  } else {
    a.top = std::floor(y * 10 + 0.99999999999) / 10;
    a.steps = static_cast<int>(std::lround(a.top * 10));
    a.labelStep = 0.1;
    a.minorLines = a.steps < 6;
    a.minorColor = kLightGrey;
  }
  a.steps = std::max(a.steps, 1);
  return a;
}

ValueRange ScanValues(int kind, std::span<const double> y1, std::span<const double> y2,
                      int count) {
  float max1 = 0, min1 = 100, max2 = 0, min2 = 100;
  for (int i = 1; i <= count; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const float a = k < y1.size() ? static_cast<float>(y1[k]) : 0.0f;
    const float b = k < y2.size() ? static_cast<float>(y2[k]) : 0.0f;
    if (a > max1) max1 = a;
    if (a < min1) min1 = a;
    if (b > max2) max2 = b;
    if (b < min2) min2 = b;
  }
  if (min1 < 0.0001f) min1 = 0.0001f;
  if (kind == 0) {
    if (min2 < min1) min1 = min2;
    if (max2 > max1) max1 = max2;
    // The second curve's lowest value needs the same floor: the logarithm
    // of the axis' bottom must exist.
    if (min1 < 0.0001f) min1 = 0.0001f;
  }
  return {min1, max1};
}

std::string AxisLabelText(double value) {
  std::string text = FormatGeneral(value);
  if (text.starts_with("0.")) text.erase(0, 1);
  if (text.starts_with("-0.")) text.erase(1, 1);
  return value < 0 ? text : " " + text;
}

std::string PageTitle(int kind) {
  switch (kind) {
    case 0: return "ESR (Ohms) & Impedance (Ohms) VS Frequency (kHz)";
    case 1: return "Temperature Rise (deg. C) VS Applied Current (Amps RMS)";
    case 2: return "Maximum Current (Amps RMS) VS Frequency (kHz)";
    case 3: return "Maximum Ripple Voltage (Volts RMS) VS Frequency (kHz)";
    default: return "";
  }
}

std::string PageCaption(int kind) {
  return kind == 1 ? "Applied Current (Amps RMS)" : "Frequency (kHz)";
}

int PageCaptionOffset(int kind) { return kind == 1 ? 750 : 500; }

std::string PageReadoutLine(int kind, const std::array<std::string, 3>& t) {
  switch (kind) {
    case 0: return "Frequency: " + t[0] + ",  ESR: " + t[1] + ",  Impedance: " + t[2];
    case 1: return "Temperature Rise: " + t[0] + ",  Applied Current: " + t[1];
    case 2: return "Frequency: " + t[0] + ",  Maximum Current: " + t[1];
    case 3: return "Frequency: " + t[0] + ",  Maximum Ripple Voltage: " + t[1];
    default: return "";
  }
}

void DrawGraphPage(ui::Printer& printer, const GraphPage& page) {
  if (page.kind < 0 || page.kind > 3 || page.range.refused()) return;
  const ui::Orientation orientation = printer.orientation();
  const double scale = printer.scale();
  const int drawWidth = printer.drawWidth();
  const ui::Color foreColor = printer.foreColor();
  // The next printout (the results report, say) finds the printer as it
  // was: portrait or landscape, in twips, with thin black lines and text.
  auto restore = [&] {
    ui::passOverPrinterFailure([&] { printer.setOrientation(orientation); });
    ui::passOverPrinterFailure([&] { printer.setScale(scale); });
    ui::passOverPrinterFailure([&] { printer.setDrawWidth(drawWidth); });
    ui::passOverPrinterFailure([&] { printer.setForeColor(foreColor); });
    printer.setCurrentX(0);
    printer.setCurrentY(0);
  };
  try {
    PageDrawer(printer, page).draw();
  } catch (const ui::PrinterError&) {
    ui::passOverPrinterFailure([&] { printer.killDoc(); });
    restore();
    throw;
  }
  restore();
}

}  // namespace quenta
