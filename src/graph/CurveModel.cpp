#include "graph/CurveModel.h"

#include <cmath>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "engine/Electrical.h"
#include "engine/Inductance.h"
#include "engine/TempLimits.h"
#include "engine/Thermal.h"

namespace quenta {

namespace {

// The ESR's temperature factor at T: the power law with the pair (a, b),
// or the cubic giving the change in per cent.
double TemperatureFactor(const FrequencyModel& m, double a, double b, double T) {
  if (m.LogLinearLaw) return std::pow(10.0, a + b * T);
  const double* p = m.EsrPoly;
  return (100 + p[0] + p[1] * T + p[2] * T * T + p[3] * T * T * T) / 100;
}

// The resonance factor 10^(log10(ratio) - c) + 1.
double ResonanceFactor(double ratio, double c) { return std::pow(10.0, Log10(ratio) - c) + 1; }

}  // namespace

void RunModelProcedures() {
  CalcThermalResistance();
  if (gResults.LeadFlag != 0) CalcLeadInductance();
  CalcEsl();
  SetTempCoefficients();
}

FrequencyModel PrepareFrequencyModel() {
  FrequencyModel m;
  m.Capacitance = gSelection.Capacitance;
  m.Esl = gResults.Esl;
  m.ThermalRes = gResults.ThermalRes;
  m.Frequency = gSelection.Frequency;
  m.Series = gSelection.SeriesIndex;
  m.Dielectric = gSelection.DielectricIndex;
  m.LogLinearLaw = (gResults.DielBPFlag | gResults.DielBXFlag) != 0;
  m.EsrTcA = gEsrTc.EsrTcA;
  m.EsrTcB = gEsrTc.EsrTcB;
  m.EsrPoly[0] = gEsrTc.EsrPoly0;
  m.EsrPoly[1] = gEsrTc.EsrPoly1;
  m.EsrPoly[2] = gEsrTc.EsrPoly2;
  m.EsrPoly[3] = gEsrTc.EsrPoly3;
  m.InternalTemp = static_cast<float>(gTemps.InternalTemp);
  m.TempAmbient = gTemps.TempAmbient;
  m.VoltageLimit = gCurve.CurveVoltMax * gResults.VoltageDerate;

  // The hottest internal temperature, within the series' limit of ambient
  // plus rise, and the rise left to the thermal current limit.
  ElectricalWork limits;
  SetAllowedRise(limits);
  m.AllowedRise = limits.AllowedRise;
  m.HotTemperature = limits.MaxInternalTemp;
  m.EsrTcC = gEsrTc.EsrTcC;
  m.EsrTcD = gEsrTc.EsrTcD;
  EsrLogLinearPair(m.Dielectric, m.HotTemperature, m.EsrTcC, m.EsrTcD);

  const double C = m.Capacitance;
  m.SelfResonantFrequency = 1 / (2 * Pi * std::sqrt(C * m.Esl));
  m.LossFactor = gChip.DielectricK < 100 ? 0.0015 : 0.025;
  if (gChip.DielectricK == 598) m.LossFactor = 0.018;
  // The loss resistance at 1 kHz, taken back to the scale of the law below
  // the resonance.
  m.BaseEsrBelow = m.LossFactor * 1 / (2 * Pi * 1000 * C);
  m.BaseEsrBelow /= m.Series == 9 ? ResonanceFactor(2.5 * m.SelfResonantFrequency / 1000, 1.9)
                                  : ResonanceFactor(2 * m.SelfResonantFrequency / 1000, 1.6);
  m.BaseEsrAbove = m.BaseEsrBelow * 0.93;
  return m;
}

double ReferenceEsr(const FrequencyModel& m, double f) {
  const double S = m.SelfResonantFrequency;
  const double c = m.Series == 9 ? 1.9 : 1.6;
  if (f <= S) return m.BaseEsrBelow * ResonanceFactor((m.Series == 9 ? 2.5 : 2.0) * S / f, c);
  return m.BaseEsrAbove * ResonanceFactor(5 * f / S, c);
}

FrequencyPoint EvaluateFrequencyPoint(const FrequencyModel& m, double f) {
  FrequencyPoint p;
  const double R = ReferenceEsr(m, f);
  p.EsrAtInternal = R * TemperatureFactor(m, m.EsrTcA, m.EsrTcB, m.InternalTemp);
  const double esrAtHot = R * TemperatureFactor(m, m.EsrTcC, m.EsrTcD, m.HotTemperature);
  const double reactanceC = 1 / (2 * Pi * f * m.Capacitance);
  const double reactanceL = 2 * Pi * f * m.Esl;
  const double reactance = reactanceC - reactanceL;
  p.Impedance = std::sqrt(std::fabs(p.EsrAtInternal * p.EsrAtInternal + reactance * reactance));
  p.Phase = std::atan((reactanceL - reactanceC) / p.EsrAtInternal) * 180 / Pi;

  const double thermal = std::sqrt((m.AllowedRise / esrAtHot) / m.ThermalRes);
  const CurrentLimit limit = LimitCurrent(thermal, m.VoltageLimit, p.Impedance);
  p.MaxCurrent = limit.max;
  p.RippleVoltage = limit.ripple;
  return p;
}

double CurrentAtRise(const FrequencyModel& m, double rise) {
  return CurrentAtRise(m, rise, static_cast<float>(m.TempAmbient + rise));
}

double CurrentAtRise(const FrequencyModel& m, double rise, float T) {
  const double R = ReferenceEsr(m, m.Frequency);
  double a = m.EsrTcA, b = m.EsrTcB;
  EsrLogLinearPair(m.Dielectric, T, a, b);
  const double esr = R * TemperatureFactor(m, a, b, T);
  return std::sqrt((rise / esr) / m.ThermalRes);
}

}  // namespace quenta
