// The graph's model of the part against values worked out by hand from its
// formulas: the ESR law around the self-resonance, the loss factors, the
// temperature laws, the current limits and the current at a given rise.
#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/DesignState.h"
#include "graph/CurveModel.h"

namespace quenta {
namespace {

class CurveModel : public ::testing::Test {
 protected:
  void SetUp() override {
    Pi = 4 * std::atan(1.0);
    saved = {gSelection, gTemps, gChip, gResults, gEsrTc, gCurve};
    // 1 µF, 1 nH, series 1, K 475, and a temperature factor of 1 (neither
    // flag set, the cubic all zero).
    gSelection.Capacitance = 1e-6;
    gSelection.SeriesIndex = 1;
    gSelection.DielectricIndex = 1;
    gSelection.Frequency = 100000;
    gResults.Esl = 1e-9;
    gResults.ThermalRes = 10;
    gResults.DielBPFlag = 0;
    gResults.DielBXFlag = 0;
    gResults.VoltageDerate = 0.5;
    gCurve.CurveVoltMax = 100;
    gChip.DielectricK = 475;
    gEsrTc = EsrTempCoefficients{};
    gTemps.TempAmbient = 25;
    gTemps.InternalTemp = 25;
    gTemps.TempRiseMax = 50;
    gTemps.TempTotalMax = 150;
  }
  void TearDown() override {
    gSelection = saved.selection;
    gTemps = saved.temps;
    gChip = saved.chip;
    gResults = saved.results;
    gEsrTc = saved.esr;
    gCurve = saved.curve;
  }

  struct Saved {
    DesignSelection selection;
    OperatingTemps temps;
    ChipDesign chip;
    ElectricalResults results;
    EsrTempCoefficients esr;
    CapVoltageCurve curve;
  } saved;
};

TEST_F(CurveModel, EsrImpedanceAndPhaseAcrossTheSelfResonance) {
  const FrequencyModel m = PrepareFrequencyModel();
  EXPECT_NEAR(m.SelfResonantFrequency, 5.0329e6, 100);
  EXPECT_EQ(m.LossFactor, 0.025);
  // At 1 kHz the ESR is the loss resistance itself.
  FrequencyPoint p = EvaluateFrequencyPoint(m, 1000);
  EXPECT_NEAR(p.EsrAtInternal * 1000, 3979, 0.5);
  EXPECT_NEAR(p.Phase, -88.57, 0.005);
  p = EvaluateFrequencyPoint(m, 1e5);
  EXPECT_NEAR(p.EsrAtInternal * 1000, 55.31, 0.005);
  EXPECT_NEAR(p.Impedance * 1000, 1592, 0.5);
  p = EvaluateFrequencyPoint(m, m.SelfResonantFrequency);
  EXPECT_NEAR(p.EsrAtInternal * 1000, 16.46, 0.005);
  EXPECT_NEAR(p.Impedance * 1000, 16.46, 0.005);
  EXPECT_NEAR(p.Phase, 0, 1e-6);
  p = EvaluateFrequencyPoint(m, 1e7);
  EXPECT_NEAR(p.EsrAtInternal * 1000, 18.22, 0.005);
  EXPECT_NEAR(p.Impedance * 1000, 50.33, 0.005);
  EXPECT_NEAR(p.Phase, 68.78, 0.005);
}

TEST_F(CurveModel, TheResonanceTakesTheLawBelowAndStepsAcrossIt) {
  for (int series : {1, 9}) {
    gSelection.SeriesIndex = static_cast<int16_t>(series);
    const FrequencyModel m = PrepareFrequencyModel();
    const double S = m.SelfResonantFrequency;
    const double at = ReferenceEsr(m, S) / m.BaseEsrBelow;
    const double above = ReferenceEsr(m, std::nextafter(S, 2 * S)) / m.BaseEsrBelow;
    EXPECT_NEAR(at, series == 9 ? 1.0315 : 1.0502, 5e-5) << series;
    EXPECT_NEAR(above, series == 9 ? 0.9885 : 1.0468, 5e-5) << series;
  }
}

TEST_F(CurveModel, LossFactorByDielectricConstant) {
  gChip.DielectricK = 99;
  EXPECT_EQ(PrepareFrequencyModel().LossFactor, 0.0015);
  gChip.DielectricK = 598;
  EXPECT_EQ(PrepareFrequencyModel().LossFactor, 0.018);
}

TEST_F(CurveModel, TemperatureLawsAndTheHottestAllowedTemperature) {
  // X7R: the pair for the hot side is chosen at HotTemperature; exactly 25
  // takes the cold pair.
  gSelection.DielectricIndex = 2;
  gResults.DielBXFlag = 1;
  gTemps.TempAmbient = -25;
  FrequencyModel m = PrepareFrequencyModel();
  EXPECT_EQ(m.HotTemperature, 25);
  EXPECT_EQ(m.EsrTcC, 0.175);
  EXPECT_EQ(m.EsrTcD, -0.00699);

  // Near the limit of ambient plus rise only what is left may be used.
  gTemps.TempAmbient = 120;
  m = PrepareFrequencyModel();
  EXPECT_EQ(m.HotTemperature, 150);
  EXPECT_EQ(m.AllowedRise, 30);
  gTemps.TempAmbient = 150;
  m = PrepareFrequencyModel();
  EXPECT_EQ(m.AllowedRise, 0);
  EXPECT_EQ(EvaluateFrequencyPoint(m, 1e6).MaxCurrent, 0);
  EXPECT_EQ(EvaluateFrequencyPoint(m, 1e6).RippleVoltage, 0);

  // Neither flag: the cubic, which once set keeps its coefficients.
  gResults.DielBXFlag = 0;
  gTemps.TempAmbient = 25;
  gEsrTc.EsrPoly0 = 26.766;
  gEsrTc.EsrPoly1 = -1.47436;
  gEsrTc.EsrPoly2 = 0.0168755;
  gEsrTc.EsrPoly3 = -3.06548e-5;
  m = PrepareFrequencyModel();
  const double factor = (100 + 26.766 - 1.47436 * 25 + 0.0168755 * 625 - 3.06548e-5 * 15625) / 100;
  EXPECT_NEAR(EvaluateFrequencyPoint(m, 1e5).EsrAtInternal, ReferenceEsr(m, 1e5) * factor, 1e-15);
}

TEST_F(CurveModel, MaximumCurrentAndRippleLimits) {
  const FrequencyModel m = PrepareFrequencyModel();
  // At low frequency the voltage limit over the impedance is the smaller,
  // and the ripple at it is the limit itself.
  const FrequencyPoint low = EvaluateFrequencyPoint(m, 1000);
  EXPECT_NEAR(low.MaxCurrent, 50 / low.Impedance, 1e-12);
  EXPECT_EQ(low.RippleVoltage, 50);
  // Neither the ripple nor Max Current across the impedance exceeds the
  // rated voltage times its derating, on either side of the resonance.
  for (double f : {1e3, 1e4, 1e5, 1e6, 5.0329e6, 1e7, 1e8}) {
    const FrequencyPoint p = EvaluateFrequencyPoint(m, f);
    EXPECT_LE(p.RippleVoltage, 50) << f;
    EXPECT_LT(p.MaxCurrent * p.Impedance, 50) << f;
    EXPECT_LE(p.MaxCurrent, std::sqrt(50 / (p.EsrAtInternal) / 10) * 1.0001) << f;
  }
}

TEST_F(CurveModel, CurrentAtRiseTakesTheEsrAtAmbientPlusTheRise) {
  gSelection.DielectricIndex = 2;
  gResults.DielBXFlag = 1;
  gTemps.TempAmbient = -10;
  const FrequencyModel m = PrepareFrequencyModel();
  const double R = ReferenceEsr(m, m.Frequency);
  // 30 degrees of rise: T = 20, the cold pair; 40: T = 30, the warm pair.
  EXPECT_NEAR(CurrentAtRise(m, 30), std::sqrt(30 / (R * std::pow(10.0, 0.175 - 0.00699 * 20)) / 10),
              1e-12);
  EXPECT_NEAR(CurrentAtRise(m, 40), std::sqrt(40 / (R * std::pow(10.0, 0.0897 - 0.0036 * 30)) / 10),
              1e-12);
  // Above the self-resonance the law above it applies.
  gSelection.Frequency = 1e7;
  const FrequencyModel above = PrepareFrequencyModel();
  EXPECT_GT(above.Frequency, above.SelfResonantFrequency);
  EXPECT_NEAR(ReferenceEsr(above, 1e7),
              above.BaseEsrAbove * (std::pow(10.0, std::log10(5 * 1e7 / above.SelfResonantFrequency) - 1.6) + 1),
              1e-12);
}

}  // namespace
}  // namespace quenta
