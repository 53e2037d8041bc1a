#include "engine/Electrical.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "engine/TempLimits.h"

namespace quenta {

float ToSingle(double x) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (x > kMax) return std::numeric_limits<float>::infinity();
  if (x < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(x);
}

namespace {

// 10^(log10(x) - c), the resonance correction term, formed as the model
// has always formed it.
double Correction(double x, double c) { return std::pow(10.0, Log10(x) - c); }

// The ESR temperature factor at temperature T for the dielectric's law.
double CubicFactor(double T) {
  return (100 + gEsrTc.EsrPoly0 + gEsrTc.EsrPoly1 * T + gEsrTc.EsrPoly2 * T * T +
          gEsrTc.EsrPoly3 * T * T * T) /
         100;
}

}  // namespace

void SetAllowedRise(ElectricalWork& work) {
  const OperatingTemps& t = gTemps;
  work.AllowedRise = t.TempRiseMax;
  work.MaxInternalTemp = static_cast<float>(t.TempAmbient + t.TempRiseMax);
  if (t.TempAmbient + t.TempRiseMax > t.TempTotalMax) {
    work.MaxInternalTemp = t.TempTotalMax;
    const int rise = t.TempTotalMax - t.TempAmbient;
    work.AllowedRise = static_cast<int16_t>(rise < 0 ? 0 : rise);
  }
}

CurrentLimit LimitCurrent(double thermal, double voltageLimit, double impedance) {
  CurrentLimit limit;
  double current = voltageLimit / impedance;
  // Rounding can put current x impedance on the limit or a hair above it,
  // where the warning would show at the limit current itself.
  if (current > 0 && std::isfinite(current)) {
    // The next double below a positive one, without the cost of nextafter
    // (the graph sweeps call this at every point).
    while (current * impedance >= voltageLimit)
      current = std::bit_cast<double>(std::bit_cast<uint64_t>(current) - 1);
  }
  limit.byVoltage = current;
  const bool byVoltage = current < thermal;
  limit.max = byVoltage ? current : thermal;
  limit.ripple = byVoltage ? voltageLimit : thermal * impedance;
  if (limit.ripple > voltageLimit) limit.ripple = voltageLimit;
  return limit;
}

void CalcElectricalResults(ElectricalWork& work) {
  gSelection.WorkFrequency = gSelection.Frequency;
  CalcElectricalAtWorkFrequency(work);
}

void CalcElectricalAtWorkFrequency(ElectricalWork& work) {
  const double C = gSelection.Capacitance;
  const double f = gSelection.WorkFrequency;
  const int series = gSelection.SeriesIndex;

  // Hot-side pair, for the hottest internal temperature allowed.
  EsrLogLinearPair(gSelection.DielectricIndex, work.MaxInternalTemp, gEsrTc.EsrTcC,
                   gEsrTc.EsrTcD);

  const double srf = 1 / (2 * Pi * std::sqrt(C * gResults.Esl));
  work.SelfResonantFrequency = srf;

  // ESR at 1 kHz from the dissipation factor, corrected for resonance.
  work.DissipationFactor = gChip.DielectricK < 100 ? 0.0015 : 0.025;
  if (gChip.DielectricK == 598) work.DissipationFactor = 0.018;
  const double esr1k = 1 / (2 * Pi * 1000 * C) * work.DissipationFactor;
  const double k = series == 9 ? 2.5 : 2.0;
  const double c = series == 9 ? 1.9 : 1.6;
  work.EsrBase = esr1k / (Correction(k * srf / 1000, c) + 1);

  if (f <= srf) {
    work.EsrAtFrequency = work.EsrBase * (Correction(k * srf / f, c) + 1);
  } else {
    work.EsrAtFrequency = 0.93 * work.EsrBase * (Correction(5 * f / srf, c) + 1);
  }
  work.EsrAtResonance = work.EsrBase * (Correction(2, c) + 1);

  // Temperature: log-linear for C0G, X7R and N1500, cubic for Z5U.
  const double internal = gTemps.InternalTemp;
  const double hottest = work.MaxInternalTemp;
  if (gResults.DielBPFlag != 0 || gResults.DielBXFlag != 0) {
    const double operating = std::pow(10.0, gEsrTc.EsrTcA + gEsrTc.EsrTcB * internal);
    work.EsrHot = work.EsrAtFrequency * std::pow(10.0, gEsrTc.EsrTcC + gEsrTc.EsrTcD * hottest);
    work.EsrOperating = work.EsrAtFrequency * operating;
    work.EsrAtResonance *= operating;
  } else {
    work.EsrOperating = work.EsrAtFrequency * CubicFactor(internal);
    work.EsrHot = work.EsrAtFrequency * CubicFactor(hottest);
    work.EsrAtResonance *= CubicFactor(internal);
  }

  // Reactances and phase.
  work.ReactanceC = 1 / (2 * Pi * f * C);
  gResults.ReactanceL = 2 * Pi * f * gResults.Esl;
  gResults.PhaseRatio = (gResults.ReactanceL - work.ReactanceC) / work.EsrOperating;
  gResults.PhaseWork = std::atan(gResults.PhaseRatio);
  gResults.Phase = gResults.PhaseWork * 180 / Pi;

  // Currents and voltages.
  gResults.CurrentAtTempRise =
      std::sqrt((gTemps.TempRise / work.EsrOperating) / gResults.ThermalRes);
  gResults.MaxCurrentThermal = std::sqrt((work.AllowedRise / work.EsrHot) / gResults.ThermalRes);
  gResults.VoltageLimit = gCurve.CurveVoltMax * gResults.VoltageDerate;
  const double reactance = work.ReactanceC - gResults.ReactanceL;
  gResults.Impedance =
      std::sqrt(std::fabs(work.EsrOperating * work.EsrOperating + reactance * reactance));

  gResults.RippleVoltage = gResults.Impedance * gResults.CurrentAtTempRise;
  if (gResults.RippleVoltage > gResults.VoltageLimit) gResults.RippleVoltage = gResults.VoltageLimit;

  const CurrentLimit limit =
      LimitCurrent(gResults.MaxCurrentThermal, gResults.VoltageLimit, gResults.Impedance);
  gResults.MaxCurrentVoltage = limit.byVoltage;
  gResults.MaxCurrent = limit.max;
  gResults.RippleVoltageShown = ToSingle(limit.ripple);
}

CurrentWarnings SetCurrentWarnings() {
  const double limit = gCurve.CurveVoltMax * gResults.VoltageDerate;
  CurrentWarnings warnings;
  warnings.excessiveVoltage = gResults.RippleVoltage >= limit;
  warnings.overLimit = gResults.CurrentAtTempRise > gResults.MaxCurrent || warnings.excessiveVoltage;
  return warnings;
}

}  // namespace quenta
