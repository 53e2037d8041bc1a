#include "graph/Plot.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "engine/CapVoltage.h"
#include "engine/Electrical.h"
#include "graph/Cursor.h"
#include "graph/CurveModel.h"
#include "graph/GraphDataWindow.h"
#include "graph/GraphForm.h"
#include "graph/GraphPlotData.h"
#include "graph/GraphPrintout.h"
#include "mainwindow/MainForm.h"
#include "ui/Services.h"

namespace quenta {

namespace {

using ui::ValueType;

constexpr int kFrequencyPoints = 735;  // Int(7350 / 10)
constexpr int kRisePoints = 450;       // Int(4500 / 10)
constexpr int kVoltageSteps = 500;
// The capacitance-change graph's vertical scale ends (%).
constexpr int kChangeScaleLow = -70;
constexpr int kChangeScaleFull = -100;
constexpr const char* kRangeMessage = "End value must be greater than Start value.";

const StartSnap kStartRows[] = {
    {"0.01", 100000, "0.1", 0.01},        {"0.01", 100000, "0.1", 0.01},
    {"0.1", 100000, "1", 0.1},            {"1", 100000, "10", 1},
    {"10", 100000, "100", 10},            {"100", 100000, "1000", 100},
    {"1000", 1000000, "10000", 1000},     {"10000", 10000000, "100000", 10000},
    {"100000", 100000000, "1000000", 100000},
};
// The bounds of the rows: value i of a row lies in [low[i], high[i]].
constexpr double kRowLow[] = {-HUGE_VAL, 0.01, 0.05, 0.5, 5, 50, 500, 5000, 50000, 500000};
constexpr double kRowHigh[] = {0.01, 0.049, 0.49, 4.99, 49, 499, 4999, 49999, 499999, 4999999};
const char* const kEndTexts[] = {"0.01", "0.01", "0.1",    "1",      "10",
                                 "100",  "1000", "10000", "100000", "1000000"};

bool InRow(double v, int row) {
  // The first row is "below 0.01", the rest include both bounds.
  if (row == 0) return v < kRowHigh[0];
  return v >= kRowLow[row] && v <= kRowHigh[row];
}

// A value that is not finite is kept as 0.
double FiniteOr0(double v) { return std::isfinite(v) ? v : 0; }

// A value for the graph control in single precision; one that is not finite
// goes as NaN, which the control does not draw.
double ForControl(double v) {
  return std::isfinite(v) ? static_cast<double>(ToSingle(v)) : std::numeric_limits<double>::quiet_NaN();
}

// The main window's inputs the titles use besides the caption.
struct TitleParts {
  std::string part, frequency, ratedVolts;
};
TitleParts TitlesFromMainWindow() {
  const MainForm& m = F_QuentaMainForm();
  return {GraphPartNumber(), m.T_Frequency.text(), FormatGeneral(gCurve.CurveVoltMax)};
}

template <typename T>
void AtLeast(std::vector<T>& v, std::size_t size) {
  if (v.size() < size) v.resize(size);
}

}  // namespace

const StartSnap* SnapStart(double kilohertz) {
  for (int row = 0; row < 9; ++row)
    if (InRow(kilohertz, row)) return &kStartRows[row];
  return nullptr;
}

const char* SnapEnd(double kilohertz) {
  for (int row = 0; row < 10; ++row)
    if (InRow(kilohertz, row)) return kEndTexts[row];
  return nullptr;
}

void ShowRangeRefused() { ui::msgBox(kRangeMessage, ui::MsgButtons::Ok, "Quenta10"); }

std::string GraphPartNumber() {
  const MainForm& m = F_QuentaMainForm();
  if (m.OB_Mil_Prf.value() || m.OB_MIL123.value()) return m.T_Mil_Prf.text();
  return m.T_Specs[0].text();
}

std::string GraphCaption() {
  const MainForm& m = F_QuentaMainForm();
  return "Quenta10 Graph " + GraphPartNumber() + "   " + m.T_TempAmbient.text() +
         " \u00B0C Amb.    " + m.T_TempSpecs[2].text() + " \u00B0C Internal    ";
}

FrequencyModel GraphFrequencyModel() {
  RunModelProcedures();
  return PrepareFrequencyModel();
}

std::string SingleText(float value) {
  char buffer[64];
  const float a = std::fabs(value);
  const auto format =
      (a >= 1e-4f && a < 1e15f) || a == 0 ? std::chars_format::fixed : std::chars_format::general;
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
  return std::string(buffer, result.ptr);
}

void F_QuentaGrafForm_GPlot_Click() {
  GraphForm& f = F_QuentaGrafForm();
  GraphPlotData& g = gGraph;
  ui::GraphControl& graph = f.GSGraf;
  const int kind = f.GrafName.listIndex();

  // The frequency graphs' range snaps to whole decades.
  if (IsFrequencyKind(kind)) {
    if (const StartSnap* row = SnapStart(LeadingNumber(f.Text1[0].text()))) {
      g.GraphMaxFrequency = row->cursorFrequency;
      f.Text1[0].setText(row->text);
      if (LeadingNumber(f.Text1[1].text()) <= row->endAtMost) f.Text1[1].setText(row->endText);
    }
    if (const char* end = SnapEnd(LeadingNumber(f.Text1[1].text()))) f.Text1[1].setText(end);
  }

  int sweepPoints = kFrequencyPoints;
  f.setMousePointer(ui::MousePointer::Hourglass);
  for (int v = 1; v <= 26; ++v) graph.setProperty(20, v);

  // The sweep's bounds: hertz, or the first box's value for the rise and
  // voltage graphs.
  double sweepStart = LeadingNumber(f.Text1[0].text()) * 1000;
  double sweepEnd = LeadingNumber(f.Text1[1].text()) * 1000;
  if (IsFrequencyKind(kind)) {
    if (sweepStart < 10) sweepStart = 10;
    if (sweepEnd > 1e10) sweepEnd = 1e10;
  } else {
    sweepEnd = sweepStart / 1000;
    sweepEnd = 10 * std::floor(sweepEnd / 10 + 0.9999999999999);
    sweepStart = 0;
  }
  // The capacitance-change graph sweeps the rated voltage and uses no range
  // box: it plots whatever its hidden box holds.
  if (kind != kCapacitanceChange && !(sweepStart < sweepEnd)) {
    // A refused graph shows no curve, readout or graph data of another
    // graph under its headings: its plot stays empty, and the cursor and
    // the data window see no plot on show until one completes.
    if (g.PlottedKind != kind) {
      graph.setProperty(115, 0);
      g.CursorLineShown = false;
      g.PlottedKind = -1;
      g.ShownKind = kind;
      for (int box = 0; box <= 2; ++box) f.Text2[box].setText("");
      ListNewPlotInOpenGraphData();
    }
    ShowRangeRefused();
    f.setMousePointer(ui::MousePointer::Default);
    return;
  }

  // The axis: whole decades of hertz, or the rise graph's scale in steps of
  // 10 °C, as the printed page takes them. The capacitance-change graph
  // needs neither: its hidden box may hold any number.
  const PageRange range{sweepStart, sweepEnd};
  const Decades decades = IsFrequencyKind(kind) ? FrequencyDecades(range) : Decades{};
  const double axisHigh = kind == kTemperatureRise ? RiseAxisFor(range).top : 0;

  const FrequencyModel model = GraphFrequencyModel();

  // The sweep of the chosen kind, with the titles.
  const MainForm& main = F_QuentaMainForm();
  const TitleParts t = TitlesFromMainWindow();
  // The sweep's own frequencies, which the graph control draws against, and
  // the values as computed (the arrays keep 0 for one that is not finite).
  std::vector<double> sweep, raw1, raw2;
  if (IsFrequencyKind(kind) || kind == kTemperatureRise) {
    if (kind == kTemperatureRise) sweepPoints = kRisePoints;
    g.GraphY1.assign(static_cast<std::size_t>(sweepPoints) + 1, 0.0);
    if (kind == kEsrImpedance) {
      g.GraphY2.assign(kFrequencyPoints + 1, 0.0);
      g.GraphDataX.assign(kFrequencyPoints + 1, 0.0f);
      g.GraphDataY1.assign(kFrequencyPoints + 1, 0.0);
      g.GraphDataY2.assign(kFrequencyPoints + 1, 0.0);
    }
    // The data columns keep the size of the last ESR and impedance plot.
    AtLeast(g.GraphDataX, kFrequencyPoints + 1);
    AtLeast(g.GraphDataY1, kFrequencyPoints + 1);
    g.GraphTitle = GraphCaption();
    if (kind == kTemperatureRise) g.GraphTitle += t.frequency + " kHz";
    f.setCaption(g.GraphTitle);
    g.GraphPointCount = sweepPoints;
    sweep.assign(static_cast<std::size_t>(sweepPoints) + 1, 0.0);
    raw1 = sweep;
    raw2 = sweep;
    for (int i = 1; i <= sweepPoints; ++i) {
      const auto at = static_cast<std::size_t>(i);
      if (kind == kTemperatureRise) {
        raw1[at] = CurrentAtRise(model, axisHigh * i / sweepPoints);
        g.GraphY1[at] = FiniteOr0(raw1[at]);
        g.GraphDataY1[at] = g.GraphY1[at];
        continue;
      }
      const double freq = std::pow(10.0, static_cast<double>(i) / sweepPoints * decades.count + decades.low);
      sweep[at] = freq;
      const FrequencyPoint p = EvaluateFrequencyPoint(model, freq);
      g.GraphDataX[at] = ToSingle(freq);
      switch (kind) {
        case kEsrImpedance:
          raw1[at] = p.EsrAtInternal * 1000;
          raw2[at] = p.Impedance * 1000;
          break;
        case kMaxCurrent: raw1[at] = p.MaxCurrent; break;
        case kMaxRipple: raw1[at] = p.RippleVoltage; break;
        default: raw1[at] = p.Phase; break;
      }
      g.GraphY1[at] = FiniteOr0(raw1[at]);
      if (kind == kEsrImpedance) {
        g.GraphY2[at] = FiniteOr0(raw2[at]);
        g.GraphDataY1[at] = g.GraphY2[at];
        g.GraphDataY2[at] = g.GraphY1[at];
      } else {
        g.GraphDataY1[at] = g.GraphY1[at];
      }
    }
  } else {
    f.Picture1.setVisible(true);
    f.Label12.setVisible(true);
    const std::string rated = "   25 \u00B0C Amb.    " + t.ratedVolts + " VDC Rated";
    const bool mil49470 = main.OB_Mil_Prf.value();
    g.GraphTitle = mil49470 ? t.part + rated : "Quenta10 Graph " + t.part + rated;
    f.setCaption("Quenta10 Graph " + t.part + rated);
    f.Label12.setCaption(t.part + rated);
    g.GraphY1.assign(kVoltageSteps + 1, 0.0);
    g.GraphY3.assign(kVoltageSteps + 1, 0.0);
    AtLeast(g.GraphY2, kVoltageSteps + 1);
    AtLeast(g.GraphDataX, kVoltageSteps + 1);
    AtLeast(g.GraphDataY1, kVoltageSteps + 1);
    const std::string unit = main.Label8.caption();
    const bool mil123 = main.OB_MIL123.value();
    const double thickness = DielectricThicknessTotal();
    const double fieldLimit = CurveFieldLimit();
    double left = 0;
    int cutIndex = 0;
    raw1.assign(kVoltageSteps + 1, 0.0);
    for (int i = 1; i <= kVoltageSteps; ++i) {
      const auto at = static_cast<std::size_t>(i);
      const double volts = CurveStepVolts(i);
      const CapVoltagePoint p = CapVoltageAt(volts, thickness, unit, mil123);
      if (cutIndex == 0 && !(p.field <= fieldLimit)) cutIndex = i;
      if (p.leftKnown) left = p.left;
      g.GraphY1[at] = volts;
      g.GraphDataX[at] = ToSingle(volts);
      g.GraphY2[at] = FiniteOr0(left);
      raw1[at] = p.change;
      g.GraphY3[at] = FiniteOr0(p.change);
      g.GraphDataY1[at] = g.GraphY3[at];
    }
    // The last point whose field stays within the limit.
    g.CurveLastPoint = cutIndex == 0 ? kVoltageSteps : cutIndex - 1;
    g.GraphPointCount = g.CurveLastPoint;
    f.Label3[1].setCaption("Capacitance " + unit + "F");
  }
  g.PlottedKind = kind;
  g.ShownKind = kind;

  // The graph control.
  graph.setProperty(20, 9, ValueType::Int32);
  graph.setProperty(66, sweepPoints);
  auto single = [](double v) { return static_cast<double>(ToSingle(v)); };
  switch (kind) {
    case kEsrImpedance:
      graph.setProperty(115, 0);
      graph.setProperty(44, 15, ValueType::Int32);
      graph.setProperty(67, 2);
      graph.setIndexed(158, 0, single(g.GraphY2[1]));
      for (int i = 1; i <= sweepPoints; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const double x = single(sweep[at] / 1000);
        graph.setProperty(102, 1);
        graph.setProperty(13, 60);
        graph.setIndexed(158, i, ForControl(raw2[at] / 1000));
        graph.setIndexed(175, i, x);
        graph.setProperty(102, 2);
        graph.setProperty(13, 25);
        graph.setIndexed(158, i, ForControl(raw1[at] / 1000));
        graph.setIndexed(175, i, x);
      }
      break;
    case kTemperatureRise:
      graph.setProperty(115, 0);
      if (sweepEnd > 150) {
        sweepEnd = 150;
        f.Text1[0].setText("150");
      }
      graph.setProperty(118, sweepEnd, ValueType::Double);
      graph.setProperty(112, 0);
      graph.setProperty(111, std::floor(g.GraphY1[kRisePoints] + 1), ValueType::Double);
      graph.setProperty(44, 6, ValueType::Int32);
      graph.setProperty(67, 1);
      graph.setIndexed(158, 0, single(g.GraphY1[1]));
      graph.setProperty(66, sweepPoints - 1);
      for (int i = 1; i <= sweepPoints; ++i) {
        const auto at = static_cast<std::size_t>(i);
        graph.setProperty(102, 1);
        graph.setIndexed(158, i, single(static_cast<double>(i) / sweepPoints * sweepEnd));
        g.GraphDataX[at] = static_cast<float>(graph.property(158, i));
        graph.setIndexed(175, i, ForControl(raw1[at]));
      }
      break;
    case kMaxCurrent:
    case kMaxRipple:
    case kPhaseAngle:
      graph.setProperty(115, 0);
      graph.setProperty(44, kind == kPhaseAngle ? 16 : 15, ValueType::Int32);
      if (kind == kPhaseAngle) graph.setProperty(114, 2, ValueType::Int32);
      graph.setProperty(67, 1);
      graph.setIndexed(158, 0, single(g.GraphY1[1]));
      for (int i = 1; i <= sweepPoints; ++i) {
        const auto at = static_cast<std::size_t>(i);
        graph.setProperty(102, 1);
        graph.setIndexed(158, i, ForControl(raw1[at]));
        graph.setIndexed(175, i, single(sweep[at] / 1000));
      }
      break;
    default: {
      graph.setProperty(115, 0);
      graph.setProperty(118, 0);
      // The scale runs down to -70 %, or to -100 % when the plotted curve
      // falls below -70 %, so that the whole curve lies within the plot.
      const bool belowScale =
          std::any_of(raw1.begin() + 1, raw1.begin() + 1 + std::max(0, g.CurveLastPoint),
                      [](double change) { return change < kChangeScaleLow; });
      graph.setProperty(119, belowScale ? kChangeScaleFull : kChangeScaleLow);
      graph.setProperty(112, 0);
      // The scale ends at the last plotted point's voltage: the rated
      // voltage, or where the curve was cut. The curve, the cursor and the
      // graph data then cover the same range.
      graph.setProperty(111, single(g.GraphY1[static_cast<std::size_t>(g.CurveLastPoint)]),
                        ValueType::Double);
      graph.setProperty(44, 6, ValueType::Int32);
      graph.setProperty(67, 1);
      graph.setIndexed(158, 0, single(g.GraphY1[1]));
      graph.setProperty(66, g.CurveLastPoint);
      for (int i = 1; i <= g.CurveLastPoint; ++i) {
        const auto at = static_cast<std::size_t>(i);
        graph.setProperty(102, 1);
        graph.setIndexed(158, i, ForControl(raw1[at]));
        graph.setIndexed(175, i, single(g.GraphY1[at]));
      }
      // The third readout ends showing the last plotted point.
      if (g.CurveLastPoint >= 1)
        f.Text2[2].setText(RoundSig3Text(g.GraphY2[static_cast<std::size_t>(g.CurveLastPoint)]));
      break;
    }
  }
  // The rise graph's data column holds the rises as the control took
  // them, written above: only now is the plot's every column complete.
  ListNewPlotInOpenGraphData();

  graph.setProperty(21, 2);
  graph.setProperty(92, 1);
  g.CursorLineShown = false;
  for (auto [number, value] : {std::pair{120, 1}, {113, 1}, {39, 7}, {38, 7}, {46, 3}, {5, 15},
                               {21, 2}})
    graph.setProperty(number, value);

  f.setMousePointer(ui::MousePointer::Default);
  f.LockGraf = false;
  ShowGraphCursor();
}

}  // namespace quenta
