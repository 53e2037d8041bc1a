#include "engine/CapVoltage.h"

#include <cmath>

#include "catalogue/DesignState.h"
#include "catalogue/NumberText.h"
#include "catalogue/TextChars.h"

namespace quenta {

namespace {

constexpr int kSteps = 500;

bool Set(int16_t flag) { return flag == 1; }

// The powers 2 to 5 of x by multiplication, for the polynomial fits: pow
// costs many times as much, for a value just as accurate (both lie within
// a unit or two in the last place of the exact power).
struct Powers {
  explicit Powers(double x) : p2(x * x), p3(p2 * x), p4(p2 * p2), p5(p4 * x) {}
  double p2, p3, p4, p5;
};

// exp(x), without the slow path of exp for arguments so far below zero
// that the result is 0 anyway (below about -745.13 it rounds to 0).
double Exp(double x) { return x < -746 ? 0.0 : std::exp(x); }

double DefaultFit(double F) {
  const Powers f(F);
  return 1.62299e-10 * f.p5 - 1.39423e-07 * f.p4 + 4.48075e-05 * f.p3 - 0.00605399 * f.p2 +
         8.64 * Exp(-12 * F) - 2.57 * std::exp(-9.0);
}

bool UsableThickness(double thickness) { return thickness > 0 && std::isfinite(thickness); }

// The field over the thickness at a voltage and the change of capacitance
// there (never above 0, and never below -100 %: a fit that runs on past
// the whole capacitance would show a negative one). Without a usable
// thickness the field is unbounded: the curve is unusable from its first
// point and shows no change.
void FieldAndChange(double volts, double thickness, double& field, double& change) {
  const bool thickOk = UsableThickness(thickness);
  field = thickOk ? volts / thickness : HUGE_VAL;
  change = thickOk ? CapChangeFit(field, volts) : 0;
  if (change > 0) change = 0;
  if (change < -100) change = -100;
}

}  // namespace

bool NominalCapacitance(const std::string& prefix, bool mil123Entry, double& c) {
  if (mil123Entry) {
    const std::string& text = gSelection.CapacitanceText;
    const std::string unit = RightChars(text, 2);
    if (unit != "uF" && unit != "nF" && unit != "pF") return false;
    c = LeadingNumber(DropRightChars(text, 3));
    return true;
  }
  if (prefix == "\u00B5") {
    c = gSelection.Capacitance * 1e6;
  } else if (prefix == "n") {
    c = gSelection.Capacitance * 1e9;
  } else if (prefix == "p") {
    c = gSelection.Capacitance * 1e12;
  } else {
    return false;
  }
  return true;
}

double CurveStepVolts(int step) { return step * gCurve.CurveVoltMax / kSteps; }

double DielectricThicknessTotal() {
  return gChip.DielThickness * gChip.Mult * gChip.Cascades * 0.72;
}

double CurveFieldLimit() {
  return (Set(gChip.DesignFlag3) || Set(gChip.DesignFlag4)) ? 200 : 300;
}

CapVoltagePoint CapVoltageAt(double volts, double dielThickTotal, const std::string& unitLetter,
                             bool mil123Entry) {
  CapVoltagePoint p;
  FieldAndChange(volts, dielThickTotal, p.field, p.change);
  double start = 0;
  p.leftKnown = NominalCapacitance(unitLetter, mil123Entry, start);
  if (p.leftKnown) p.left = start - start * (std::fabs(p.change) / 100);
  return p;
}

void SetCurveVoltMax(int voltageIndex, int lastIndex) {
  static constexpr double kVolts[] = {25,   50,   100,  200,  300,  400,  500, 600,
                                      1000, 1500, 2000, 2500, 3000, 4000, 5000};
  if (voltageIndex >= 1 && voltageIndex <= lastIndex) gCurve.CurveVoltMax = kVolts[voltageIndex - 1];
}

double CapChangeFit(double F, double V) {
  const double voltMax = gCurve.CurveVoltMax;
  if (Set(gChip.DesignFlag1))
    return 113.436 * Exp(-0.0174863 * F) - 23.1996 * Exp(-0.197553 * F) - 90.2373;
  if (Set(gChip.DesignFlag2)) {
    const Powers f(F);
    return 2.43491e-10 * f.p5 - 2.13855e-07 * f.p4 + 6.86078e-05 * f.p3 - 0.0087354 * f.p2 +
           3.2338;
  }
  if (Set(gChip.DesignFlag3)) {
    const Powers f(F);
    return -0.000127 * f.p3 + 0.0328 * f.p2 - 2.89 * F + 0.471;
  }
  if (Set(gChip.DesignFlag4)) {
    const Powers v(V);
    if (voltMax == 25) return 0.00369271 * v.p3 - 0.163337 * v.p2 - 0.308986 * V - 0.637831;
    if (voltMax == 50)
      return -4.40757e-07 * v.p5 + 3.77207e-05 * v.p4 + 7.16054e-05 * v.p3 - 0.0681993 * v.p2 -
             0.373557;
    if (voltMax == 100)
      return -8.55156e-09 * v.p5 + 5.26814e-07 * v.p4 + 0.000230615 * v.p3 - 0.0263356 * v.p2 -
             0.470577;
    // No fit for this rating: the default fit, rather than whatever change
    // an earlier part left behind.
    return DefaultFit(F);
  }
  if (Set(gChip.DesignFlag5)) {
    const Powers v(V);
    if (voltMax == 25) return 6.7e-05 * v.p4 - 0.003 * v.p3 + 0.17 * v.p2 - 6.6 * V + 0.032;
    if (voltMax == 50) return -2.9e-05 * v.p4 + 0.0023 * v.p3 + 0.00097 * v.p2 - 4 * V + 0.15;
    return DefaultFit(F);
  }
  return DefaultFit(F);
}

void CalcCapVoltageCurve(const std::string& unitLetter) {
  CapVoltageCurve& curve = gCurve;

  // Points 1 to 500; point 0 stays at zero.
  curve.GraphY1.assign(kSteps + 1, 0.0);
  curve.GraphY2.assign(kSteps + 1, 0.0);
  curve.GraphY3.assign(kSteps + 1, 0.0);

  curve.DielThickTotal = DielectricThicknessTotal();
  const double thickness = curve.DielThickTotal;
  const double fieldLimit = CurveFieldLimit();
  double start = 0;
  const bool unitKnown = NominalCapacitance(unitLetter, gSelection.Mil123Entry, start);

  // The point's values are kept in locals; the curve's fields end with
  // those of the last point.
  double volts = 0, field = 0, change = 0, shown = curve.CapDisplay;
  int16_t cut = 0;
  for (int i = 1; i <= kSteps; ++i) {
    volts = CurveStepVolts(i);
    FieldAndChange(volts, thickness, field, change);
    if (cut == 0 && !(field <= fieldLimit)) cut = static_cast<int16_t>(i);
    if (unitKnown) shown = start - start * (std::fabs(change) / 100);

    curve.GraphY1[static_cast<std::size_t>(i)] = volts;
    curve.GraphY2[static_cast<std::size_t>(i)] = shown;
    curve.GraphY3[static_cast<std::size_t>(i)] = change;
  }
  curve.CurveVolt = volts;
  curve.CurveField = field;
  curve.CapChange = change;
  curve.CapDisplay = shown;
  curve.CurveCutIndex = cut;
  curve.CurveLastPoint = cut == 0 ? kSteps : cut;
}

}  // namespace quenta
