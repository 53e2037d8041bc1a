#include "graph/Cursor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "engine/CapVoltage.h"
#include "engine/Electrical.h"
#include "graph/CurveModel.h"
#include "graph/GraphForm.h"
#include "graph/GraphPlotData.h"
#include "graph/Plot.h"
#include "mainwindow/MainForm.h"
#include "ui/Services.h"

namespace quenta {

namespace {

constexpr double kCursorStartRise = 20;   // degrees C
constexpr double kCursorStartVolts = 25;  // V

// The graph control's axes and plot area, property 172, in single precision.
float P(int n) { return ToSingle(F_QuentaGrafForm().GSGraf.property(172, n)); }

// The cursor belongs to the graph on show: nothing moves while the graph
// drawn is not of the kind chosen.
bool CursorApplies(const GraphForm& f) {
  return gGraph.PlottedKind >= 0 && f.GrafName.listIndex() == gGraph.PlottedKind;
}

// The cursor line of a kind at coordinate c.
void DrawCursorLine(ui::GraphControl& g, int kind, double c) {
  const float L = P(7), W = P(5), H = P(6), B = P(8);
  switch (kind) {
    case kTemperatureRise: g.lineAbs(L, c, L + W, c); break;
    case kPhaseAngle: g.lineAbs(c, H + 122, c, P(3) + 23); break;
    case kCapacitanceChange: g.lineAbs(c, B, c, B - H); break;
    default: g.lineAbs(c, B, c, B + H); break;
  }
}

// Erases the line now drawn, if any, and draws the kind's line at c.
void MoveCursorLine(int kind, double c) {
  ui::GraphControl& g = F_QuentaGrafForm().GSGraf;
  g.setRop(ui::GraphControl::kRopXor);
  if (gGraph.CursorLineShown) DrawCursorLine(g, kind, gGraph.CursorLineX);
  gGraph.CursorLineX = c;
  DrawCursorLine(g, kind, c);
  g.setRop(ui::GraphControl::kRopCopy);
}

// The drawing coordinate of a position on the graph's axis.
double MarkerCoordinate(int kind, double v) {
  if (kind == kTemperatureRise) return P(8) + (P(6) / 100) * 100 * (v - P(4)) / (P(3) - P(4));
  if (kind == kCapacitanceChange) return P(7) + (P(5) / 100) * 100 * (v - P(2)) / (P(1) - P(2));
  return P(7) + (P(5) / 100) * 100 * (Log10(v) - Log10(P(2))) / (Log10(P(1)) - Log10(P(2)));
}

// Draws the marker at the position in the first readout box.
void DrawMarker(int kind) {
  const double c = MarkerCoordinate(kind, LeadingNumber(F_QuentaGrafForm().Text2[0].text()));
  if (!std::isfinite(c)) return;
  MoveCursorLine(kind, c);
  gGraph.CursorLineShown = true;
}

// The range of the first readout box: the horizontal axis of the frequency
// graphs, the vertical one of the temperature-rise graph.
bool ReadoutRange(int kind, float& min, float& max) {
  if (IsFrequencyKind(kind)) {
    max = P(1);
    min = P(2);
    return true;
  }
  if (kind == kTemperatureRise) {
    max = P(3);
    min = P(4);
    return true;
  }
  return false;
}

// A start position held within the range: the value to evaluate and the
// text for the first box, which reads back within the range too.
struct StartPosition {
  double value;
  std::string text;
};
StartPosition HeldWithin(double v, float min, float max) {
  if (v > max) v = max;
  if (v < min) v = min;
  std::string text = RoundSig3Text(v);
  const float shown = ToSingle(LeadingNumber(text));
  if (shown > max) text = SingleText(max);
  if (shown < min) text = SingleText(min);
  return {v, text};
}

void SetReadout(int box, double value) { F_QuentaGrafForm().Text2[box].setText(RoundSig3Text(value)); }

// The readouts at a position of the graph's abscissa: kHz for the
// frequency graphs, degrees C of rise, or volts. Box 0 is not written.
void WriteValuesAt(int kind, double v) {
  if (kind == kCapacitanceChange) {
    const MainForm& m = F_QuentaMainForm();
    const CapVoltagePoint p =
        CapVoltageAt(v, DielectricThicknessTotal(), m.Label8.caption(), m.OB_MIL123.value());
    SetReadout(1, p.change);
    if (p.leftKnown) SetReadout(2, p.left);
    return;
  }
  const FrequencyModel model = GraphFrequencyModel();
  if (kind == kTemperatureRise) {
    SetReadout(1, CurrentAtRise(model, v));
    return;
  }
  const FrequencyPoint p = EvaluateFrequencyPoint(model, v * 1000);
  switch (kind) {
    case kEsrImpedance:
      SetReadout(1, p.EsrAtInternal * 1000 / 1000);
      SetReadout(2, p.Impedance * 1000 / 1000);
      break;
    case kMaxCurrent: SetReadout(1, p.MaxCurrent); break;
    case kMaxRipple: SetReadout(1, p.RippleVoltage); break;
    default: SetReadout(1, p.Phase); break;
  }
}

// "0.###": at least one digit before the point, at most three after it,
// rounded; the point is always written.
std::string UpToThreeDecimals(double v) {
  std::string text = FormatFixed(v, 3);
  while (!text.empty() && text.back() == '0') text.pop_back();
  return text;
}

// The temperature limit in a caption: a whole number after a sign place.
std::string SignPlace(int v) {
  std::string text(1, v < 0 ? '-' : ' ');
  return text.append(std::to_string(std::abs(v)));
}

// The temperature-rise graph's warning at a rise: shown, with the first
// readout white on red, when the rise passes the series' rise limit or
// ambient plus rise passes the overall limit; else hidden, black on white.
void ShowRiseWarning(double rise) {
  GraphForm& f = F_QuentaGrafForm();
  const OperatingTemps& temps = gTemps;
  const bool overall = temps.TempAmbient + rise > temps.TempTotalMax;
  if (rise > temps.TempRiseMax || overall) {
    f.Label11.setVisible(true);
    f.Label11.setCaption(overall ? "Overall Temp. Exceeded " + SignPlace(temps.TempTotalMax) + "\u00B0C"
                                 : "Temp. Rise Exceeded " + SignPlace(temps.TempRiseMax) + "\u00B0C");
    f.Text2[0].setForeColor(ui::colors::white);
    f.Text2[0].setBackColor(ui::colors::red);
  } else {
    f.Label11.setCaption(std::string(27, ' '));
    f.Label11.setVisible(false);
    f.Text2[0].setForeColor(ui::colors::black);
    f.Text2[0].setBackColor(ui::colors::white);
  }
}

// The sweep point at a place along the axis: the one at or just below it,
// held to the points the plot wrote (1 to its count), so that the left end
// of the axis reads the first plotted point; -1 for a place that is not a
// number.
long IndexAt(double place) {
  const double i = std::floor(place);
  if (!(i >= 0 && i <= 1e6)) return -1;
  return std::max(1L, std::min(static_cast<long>(i), static_cast<long>(gGraph.GraphPointCount)));
}

// The readouts of one point of the plotted arrays, when it is there.
double PointOf(const std::vector<double>& values, long i, bool& ok) {
  if (i < 0 || static_cast<std::size_t>(i) >= values.size()) {
    ok = false;
    return 0;
  }
  return values[static_cast<std::size_t>(i)];
}

// The capacitance-change graph's readouts of point k: change, capacitance,
// and, when asked, the voltage.
void ShowVoltagePoint(long k, bool withVolts) {
  bool ok = true;
  const double change = PointOf(gGraph.GraphY3, k, ok);
  const double left = PointOf(gGraph.GraphY2, k, ok);
  const double volts = PointOf(gGraph.GraphY1, k, ok);
  if (!ok) return;
  SetReadout(1, change);
  SetReadout(2, left);
  // The step's voltage as the round number it is.
  if (withVolts) F_QuentaGrafForm().Text2[0].setText(RoundSig3DecimalText(volts));
}

// The plotted point of the capacitance-change curve, 1 to `last`, whose
// voltage lies nearest to `volts`; `last` when there is none.
long NearestVoltagePoint(double volts, long last) {
  long nearest = last;
  double distance = HUGE_VAL;
  for (long k = 1; k <= last; ++k) {
    bool ok = true;
    const double d = std::fabs(PointOf(gGraph.GraphY1, k, ok) - volts);
    if (ok && d < distance) {
      distance = d;
      nearest = k;
    }
  }
  return nearest;
}

// Guards the clamp of the first readout box against running again inside
// the change its own write raises.
bool gClamping = false;

// The number in the first readout box, when it is one to judge: an empty
// box, a lone point and any text that is not yet a whole number are the
// steps of typing one, and are let be, as is 0.
bool TypedPosition(const GraphForm& f, double& v) {
  const std::string& t = f.Text2[0].text();
  return !t.empty() && t != "." && ParseWholeNumber(t, v) == NumberStatus::Ok && v != 0;
}

// Whether the first readout box holds a position below the graph's range,
// whose minimum it then gives.
bool TypedBelowGraph(const GraphForm& f, float& min) {
  double v = 0;
  float max = 0;
  return TypedPosition(f, v) && ReadoutRange(f.GrafName.listIndex(), min, max) &&
         ToSingle(v) < min;
}

}  // namespace

void ShowGraphCursor() {
  GraphForm& f = F_QuentaGrafForm();
  const int kind = f.GrafName.listIndex();
  if (!CursorApplies(f)) return;
  f.Text2[0].setBackColor(ui::colors::white);
  f.Text2[0].setForeColor(ui::colors::black);

  double start = kCursorStartVolts;
  float min = 0, max = 0;
  if (ReadoutRange(kind, min, max)) {
    start = kind == kTemperatureRise ? kCursorStartRise : gGraph.GraphMaxFrequency / 1000.0;
  } else {
    // The voltage axis, which ends where the curve ends.
    min = P(2);
    max = P(1);
  }
  const StartPosition held = HeldWithin(start, min, max);
  // Box 0 first. The program writes it: its change is no position typed.
  f.ManualChange = false;
  f.Text2[0].setText(held.text);
  WriteValuesAt(kind, held.value);
  // The warning agrees with the readouts at the start position.
  if (kind == kTemperatureRise) ShowRiseWarning(held.value);
  DrawMarker(kind);
  // From the window's first plot on, a position typed into the first box
  // moves the cursor there: the row never names one position beside the
  // values of another.
  f.ManualChange = true;
}

void MoveGraphCursor() {
  GraphForm& f = F_QuentaGrafForm();
  const int kind = f.GrafName.listIndex();
  if (!CursorApplies(f)) return;
  const double position = LeadingNumber(f.Text2[0].text());
  WriteValuesAt(kind, position);
  // A typed rise warns as the pointer at that rise does.
  if (kind == kTemperatureRise) ShowRiseWarning(position);
  DrawMarker(kind);
}

void F_QuentaGrafForm_Text2_Change(int index) {
  GraphForm& f = F_QuentaGrafForm();
  if (!CursorApplies(f)) return;
  double v = 0;
  if (!TypedPosition(f, v)) return;

  float min = 0, max = 0;
  if (!gClamping && ReadoutRange(f.GrafName.listIndex(), min, max) && ToSingle(v) > max) {
    gClamping = true;
    struct Done {
      ~Done() { gClamping = false; }
    } done;
    // More digits never bring a value above the graph back into it.
    ui::msgBox("The entered value is greater than the graph maximum.", ui::MsgButtons::Ok,
               "Quenta10");
    f.Text2[0].setText(SingleText(max));
  }
  // A value below the graph may be the first digits of one within it
  // ("4" of "400"): it waits, the cursor staying where it is, until more
  // digits bring it in or the box is left.
  if (TypedBelowGraph(f, min)) return;
  if (index == 0 && f.ManualChange) MoveGraphCursor();
}

void F_QuentaGrafForm_Text2_LostFocus(int index) {
  if (index != 0) return;
  GraphForm& f = F_QuentaGrafForm();
  float min = 0;
  if (!CursorApplies(f) || !TypedBelowGraph(f, min)) return;
  ui::msgBox("The entered value is less than the graph minimum.", ui::MsgButtons::Ok, "Quenta10");
  // The change this raises moves the cursor to the minimum.
  f.Text2[0].setText(SingleText(min));
}

void F_QuentaGrafForm_Text2_KeyDown(int, int, int) { F_QuentaGrafForm().LockGraf = true; }

void F_QuentaGrafForm_GSGraf_ButtonEvent(int button) {
  if (button == 1) F_QuentaGrafForm().LockGraf = !F_QuentaGrafForm().LockGraf;
}

void F_QuentaGrafForm_GSGraf_PointerMoveEvent(double h, double v, double x, double y) {
  GraphForm& f = F_QuentaGrafForm();
  if (f.LockGraf || !CursorApplies(f)) return;
  f.ManualChange = false;
  const float xMin = P(2), xMax = P(1), yMin = P(4), yMax = P(3);
  const bool numbers = std::isfinite(h) && std::isfinite(v) && std::isfinite(x) && std::isfinite(y);
  if (!numbers || x < xMin || x > xMax || y < yMin || y > yMax) {
    f.ManualChange = true;
    return;
  }
  f.Text2[0].setForeColor(ui::colors::black);
  f.Text2[0].setBackColor(ui::colors::white);

  const int kind = f.GrafName.listIndex();
  if (kind == kTemperatureRise) {
    ShowRiseWarning(y);
    SetReadout(0, y);
  } else {
    if (kind != kCapacitanceChange) f.Label11.setVisible(false);
    SetReadout(0, x);
  }

  MoveCursorLine(kind, kind == kTemperatureRise ? v : h);

  bool ok = true;
  if (IsFrequencyKind(kind)) {
    const long i = IndexAt(735 * (Log10(x) - Log10(xMin)) / (Log10(xMax) - Log10(xMin)));
    if (kind == kEsrImpedance) f.Text2[0].setText(UpToThreeDecimals(x));
    const double first = PointOf(gGraph.GraphY1, i, ok);
    if (kind == kEsrImpedance) {
      const double second = PointOf(gGraph.GraphY2, i, ok);
      if (ok) {
        SetReadout(1, first / 1000);
        SetReadout(2, second / 1000);
      }
    } else if (ok) {
      SetReadout(1, first);
    }
  } else if (kind == kTemperatureRise) {
    const float span = yMax - yMin;
    const long i = IndexAt(450 * (y - yMin) / span);
    const double current = PointOf(gGraph.GraphY1, i, ok);
    if (ok) SetReadout(1, current);
  } else {
    // The first point within 3 % of the pointer's voltage, else the point
    // nearest to it: the last one beyond the curve's end, or one between
    // the low points, which lie further apart than 3 % of their voltage.
    const double u = x < 0.075 ? 0.075 : x;
    const long last = gGraph.CurveLastPoint;
    long match = -1;
    for (long k = 1; k <= last - 1 && match < 0; ++k) {
      const double volts = LeadingNumber(FormatFixed(PointOf(gGraph.GraphY1, k, ok), 2));
      if (ok && volts > 0.97 * u && volts < 1.03 * u) match = k;
    }
    if (match >= 0)
      ShowVoltagePoint(match, false);
    else
      ShowVoltagePoint(NearestVoltagePoint(x, last), true);
    // Left of the plot the first point.
    if (h < P(7)) ShowVoltagePoint(1, true);
  }
  gGraph.CursorLineShown = true;
  f.ManualChange = true;
}

}  // namespace quenta
