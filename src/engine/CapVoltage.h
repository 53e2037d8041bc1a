// Capacitance change against applied DC voltage.
#pragma once

#include <string>

namespace quenta {

// The rated voltage of the capacitance-change curve by voltage index, for
// the indices 1 to `lastIndex`; any other index leaves it as it was.
void SetCurveVoltMax(int voltageIndex, int lastIndex);

// Computes the curve of CapVoltageCurve: 500 evenly spaced voltages from
// CurveVoltMax / 500 up to CurveVoltMax, the change of capacitance at each
// (percent, never above 0) from the fit the design flags and the rated
// voltage choose, the capacitance left in the unit whose letter the main
// window shows beside the capacitance ("p", "n" or "µ"; in MIL-PRF-123
// entry the unit of CapacitanceText), and the last usable point, where the
// field in the dielectric first passes its limit. GraphY1..3 hold the
// points at 1 to 500.
void CalcCapVoltageCurve(const std::string& unitLetter);

// The voltage of step i of the curve, i x CurveVoltMax / 500: worked out
// for each step on its own, so that a step falling on a round voltage (12,
// 300, 0.7) is that voltage.
double CurveStepVolts(int step);

// 0.72 times the dielectric thickness, the layer multiplier and the
// cascades of the chip design: the thickness the curve's field is worked
// over.
double DielectricThicknessTotal();

// The field (volts per unit of that thickness) beyond which the curve is
// no longer usable: 200 for the designs of flags 3 and 4, else 300.
double CurveFieldLimit();

// The curve at one voltage: the field, the change of capacitance (percent,
// never above 0) and the capacitance left, in the unit whose letter the
// main window shows ("p", "n" or "µ"; in MIL-PRF-123 entry the unit of
// CapacitanceText). Without a usable thickness the field is unbounded and
// the change 0. leftKnown is false for a unit that is not known.
struct CapVoltagePoint {
  double field = 0;
  double change = 0;
  bool leftKnown = false;
  double left = 0;
};
CapVoltagePoint CapVoltageAt(double volts, double dielThickTotal, const std::string& unitLetter,
                             bool mil123Entry);

// The capacitance the curve starts from, unchanged by any voltage, in the
// unit whose letter the main window shows (in MIL-PRF-123 entry the unit of
// CapacitanceText). False for a unit that is not known: the capacitance
// the curve shows then stays as it was.
bool NominalCapacitance(const std::string& unitLetter, bool mil123Entry, double& c);

// The change of capacitance in percent at field F (volts per unit of the
// total dielectric thickness) and voltage V under the chosen fit, before
// clamping to 0 or below. The design flags 4 and 5 have fits for some
// rated voltages only; at any other the default fit applies.
double CapChangeFit(double field, double volts);

}  // namespace quenta
