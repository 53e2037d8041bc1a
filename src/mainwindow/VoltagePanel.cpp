#include "mainwindow/VoltagePanel.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "engine/CapVoltage.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/OperatingInputs.h"

namespace quenta {

namespace {

// Highest point the curve is ever computed for.
constexpr int kLastCurvePoint = 500;

PanelCurve& Curve() {
  static PanelCurve curve;
  return curve;
}

// A point of one of the copied arrays; 0 outside it, so that nothing is
// read past the copy (before the first calculation it is empty).
double At(const std::vector<double>& values, int i) {
  if (i < 0 || static_cast<std::size_t>(i) >= values.size()) return 0;
  return values[static_cast<std::size_t>(i)];
}

// The last usable point, within the copy.
int LastPoint(const PanelCurve& c) {
  const int top = static_cast<int>(c.volts.size()) - 1;
  return std::clamp(c.lastPoint, 0, std::max(top, 0));
}

// The capacitance shown at point i, cut to three digits. Point 0 stands for
// 0 V, where the capacitance is the nominal one, as the change of 0 % there
// says: it shows the digits it was entered with (15 nF as 15, never 14.9).
std::string CapacitanceText(const PanelCurve& c, int i) {
  return i == 0 ? RoundSig3DecimalText(c.atZeroVolts) : RoundSig3Text(At(c.capacitance, i));
}

// Without a curve the panel shows no change and no capacitance.
bool BlankWithoutCurve(MainForm& f) {
  if (!Curve().volts.empty()) return false;
  f.Text3.setText("");
  f.Text4.setText("");
  return true;
}

// Copies the curve just computed out of the shared arrays.
void KeepPanelCurve() {
  PanelCurve& c = Curve();
  c.volts = gCurve.GraphY1;
  c.capacitance = gCurve.GraphY2;
  c.change = gCurve.GraphY3;
  c.lastPoint = gCurve.CurveLastPoint;
  // In a unit the curve does not know it holds the capacitance of its first
  // point.
  if (!NominalCapacitance(F_QuentaMainForm().Label8.caption(), gSelection.Mil123Entry,
                          c.atZeroVolts))
    c.atZeroVolts = At(c.capacitance, 1);
  // The capacitance as entered, without the last-place error of its change
  // of unit (1.5e-8 F times 1e9 is 14.999999999999998).
  c.atZeroVolts = LeadingNumber(FormatGeneral(c.atZeroVolts));
}

}  // namespace

const PanelCurve& PanelCurveCopy() { return Curve(); }

void ShowCapVoltageCurve() {
  // The panel keeps its own copy: the graph window reuses these arrays.
  KeepPanelCurve();
  MainForm& f = F_QuentaMainForm();
  f.HScroll1.setMax(gCurve.CurveLastPoint);
  f.Text2.setText("0");
  f.Text3.setText("0");
  // As the bar shows it there: the same digits whichever way 0 V is reached.
  f.Text4.setText(CapacitanceText(Curve(), 0));
}

void ClearVoltagePanel() {
  Curve() = PanelCurve{};
  BlankWithoutCurve(F_QuentaMainForm());
}

void HScroll1_Change() {
  MainForm& f = F_QuentaMainForm();
  if (BlankWithoutCurve(f)) return;
  const PanelCurve& c = Curve();
  const int i = f.HScroll1.value();
  // A new text runs Text2_Change first; the two writes after it decide
  // what the panel shows.
  if (!TypedTextKept()) f.Text2.setText(RoundSig3DecimalText(At(c.volts, i)));
  f.Text3.setText(RoundSig3Text(At(c.change, i)));
  f.Text4.setText(CapacitanceText(c, i));
}

void Text2_Change() {
  MainForm& f = F_QuentaMainForm();
  if (BlankWithoutCurve(f)) return;
  const PanelCurve& c = Curve();
  f.Text3.setText(" ");
  f.Text4.setText(" ");

  double v = LeadingNumber(f.Text2.text());
  const int last = LastPoint(c);
  // The last usable voltage as its 15-digit text reads back.
  const double limit = LeadingNumber(FormatGeneral(At(c.volts, last)));
  if (std::isnan(v)) v = 0;
  if (v >= limit) {
    // At or beyond the end of the curve: its last point, with the scroll
    // bar there too. Both writes end their chains (see HScroll1_Change).
    // A number still being typed ("100e" of "100e-1") stays as typed.
    const bool typing = NumberUnfinished(f.Text2.text());
    if (!typing) f.Text2.setText(RoundSig3DecimalText(At(c.volts, last)));
    v = limit;
    MoveBarForTypedText(f.HScroll1, last, typing);
  }

  // The first point at or above the voltage.
  const int top = std::min(kLastCurvePoint, static_cast<int>(c.volts.size()) - 1);
  int i = 0;
  while (i < top && !(At(c.volts, i) >= v)) ++i;
  f.Text3.setText(RoundSig3Text(At(c.change, i)));
  f.Text4.setText(CapacitanceText(c, i));
}

}  // namespace quenta
