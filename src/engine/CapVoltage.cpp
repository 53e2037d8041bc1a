#include "engine/CapVoltage.h"

#include <cmath>

#include "catalogue/DesignState.h"
#include "catalogue/NumberText.h"
#include "catalogue/TextChars.h"

namespace quenta {

namespace {

constexpr int kSteps = 500;

bool Set(int16_t flag) { return flag == 1; }

double DefaultFit(double F) {
  return 1.62299e-10 * std::pow(F, 5) - 1.39423e-07 * std::pow(F, 4) +
         4.48075e-05 * std::pow(F, 3) - 0.00605399 * std::pow(F, 2) + 8.64 * std::exp(-12 * F) -
         2.57 * std::exp(-9.0);
}

// The capacitance left after a change of d (a fraction), in the unit the
// main window shows. False when the unit is not known: the value then
// stays as it was.
bool CapacitanceLeft(const std::string& prefix, double d, double& left) {
  if (gSelection.Mil123Entry) {
    const std::string& text = gSelection.CapacitanceText;
    const std::string unit = RightChars(text, 2);
    if (unit != "uF" && unit != "nF" && unit != "pF") return false;
    const double n = LeadingNumber(DropRightChars(text, 3));
    left = n - n * d;
    return true;
  }
  double c = 0;
  if (prefix == "\u00B5") {
    c = gSelection.Capacitance * 1e6;
  } else if (prefix == "n") {
    c = gSelection.Capacitance * 1e9;
  } else if (prefix == "p") {
    c = gSelection.Capacitance * 1e12;
  } else {
    return false;
  }
  left = c - c * d;
  return true;
}

}  // namespace

void SetCurveVoltMax(int voltageIndex, int lastIndex) {
  static constexpr double kVolts[] = {25,   50,   100,  200,  300,  400,  500, 600,
                                      1000, 1500, 2000, 2500, 3000, 4000, 5000};
  if (voltageIndex >= 1 && voltageIndex <= lastIndex) gCurve.CurveVoltMax = kVolts[voltageIndex - 1];
}

double CapChangeFit(double F, double V) {
  const double voltMax = gCurve.CurveVoltMax;
  if (Set(gChip.DesignFlag1))
    return 113.436 * std::exp(-0.0174863 * F) - 23.1996 * std::exp(-0.197553 * F) - 90.2373;
  if (Set(gChip.DesignFlag2))
    return 2.43491e-10 * std::pow(F, 5) - 2.13855e-07 * std::pow(F, 4) +
           6.86078e-05 * std::pow(F, 3) - 0.0087354 * std::pow(F, 2) + 3.2338;
  if (Set(gChip.DesignFlag3))
    return -0.000127 * std::pow(F, 3) + 0.0328 * std::pow(F, 2) - 2.89 * F + 0.471;
  if (Set(gChip.DesignFlag4)) {
    if (voltMax == 25)
      return 0.00369271 * std::pow(V, 3) - 0.163337 * std::pow(V, 2) - 0.308986 * V - 0.637831;
    if (voltMax == 50)
      return -4.40757e-07 * std::pow(V, 5) + 3.77207e-05 * std::pow(V, 4) +
             7.16054e-05 * std::pow(V, 3) - 0.0681993 * std::pow(V, 2) - 0.373557;
    if (voltMax == 100)
      return -8.55156e-09 * std::pow(V, 5) + 5.26814e-07 * std::pow(V, 4) +
             0.000230615 * std::pow(V, 3) - 0.0263356 * std::pow(V, 2) - 0.470577;
    // No fit for this rating: the default fit, rather than whatever change
    // an earlier part left behind.
    return DefaultFit(F);
  }
  if (Set(gChip.DesignFlag5)) {
    if (voltMax == 25)
      return 6.7e-05 * std::pow(V, 4) - 0.003 * std::pow(V, 3) + 0.17 * std::pow(V, 2) - 6.6 * V +
             0.032;
    if (voltMax == 50)
      return -2.9e-05 * std::pow(V, 4) + 0.0023 * std::pow(V, 3) + 0.00097 * std::pow(V, 2) -
             4 * V + 0.15;
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

  curve.CurveVolt = 0;
  curve.DielThickTotal = gChip.DielThickness * gChip.Mult * gChip.Cascades * 0.72;
  curve.CurveCutIndex = 0;
  const bool thickOk = curve.DielThickTotal > 0 && std::isfinite(curve.DielThickTotal);
  const double fieldLimit = (Set(gChip.DesignFlag3) || Set(gChip.DesignFlag4)) ? 200 : 300;

  for (int i = 1; i <= kSteps; ++i) {
    curve.CurveVolt = curve.CurveVolt + curve.CurveVoltMax / kSteps;
    // Without a dielectric thickness the field is unbounded: the curve is
    // unusable from its first point and shows no change.
    curve.CurveField = thickOk ? curve.CurveVolt / curve.DielThickTotal : HUGE_VAL;
    if (curve.CurveCutIndex == 0 && !(curve.CurveField <= fieldLimit))
      curve.CurveCutIndex = static_cast<int16_t>(i);

    curve.CapChange = thickOk ? CapChangeFit(curve.CurveField, curve.CurveVolt) : 0;
    if (curve.CapChange > 0) curve.CapChange = 0;

    double left = 0;
    if (CapacitanceLeft(unitLetter, std::fabs(curve.CapChange) / 100, left)) curve.CapDisplay = left;

    curve.GraphY1[static_cast<std::size_t>(i)] = curve.CurveVolt;
    curve.GraphY2[static_cast<std::size_t>(i)] = curve.CapDisplay;
    curve.GraphY3[static_cast<std::size_t>(i)] = curve.CapChange;
  }
  curve.CurveLastPoint = curve.CurveCutIndex == 0 ? kSteps : curve.CurveCutIndex;
}

std::string FormatUpToTwoDecimals(double value) {
  if (!std::isfinite(value)) return "";
  std::string text = FormatFixed(value, 2);
  while (!text.empty() && text.back() == '0') text.pop_back();
  // A whole number shows without its decimal point: "2", never "2.".
  if (!text.empty() && text.back() == '.') text.pop_back();
  // A value that rounds to zero reads as plain zero.
  if (text == "-0") text = "0";
  return text;
}

}  // namespace quenta
