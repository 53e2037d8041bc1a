// The electrical and thermal models: temperature limits, thermal
// resistance, inductance, the results at the operating frequency and the
// capacitance change against voltage. Each test sets up the shared state
// directly.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "catalogue/DesignState.h"
#include "engine/CapVoltage.h"
#include "engine/Electrical.h"
#include "engine/Inductance.h"
#include "engine/TempLimits.h"
#include "engine/Thermal.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/OperatingInputs.h"
#include "mainwindow/Results.h"
#include "mainwindow/VoltagePanel.h"

namespace quenta {
namespace {

class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gSelection = DesignSelection{};
    gTemps = OperatingTemps{};
    gChip = ChipDesign{};
    gCaseGeometry = CaseGeometry{};
    gResults = ElectricalResults{};
    gEsrTc = EsrTempCoefficients{};
    gCurve = CapVoltageCurve{};
    Pi = 4 * std::atan(1.0);
    ResetForms();
  }
  void TearDown() override { ResetForms(); }

  MainForm& form() { return F_QuentaMainForm(); }

  static bool WhiteOnRed(const ui::Control& c) {
    return c.backColor() == ui::colors::red && c.foreColor() == ui::colors::white;
  }
  static bool WhiteOnBlue(const ui::Control& c) {
    return c.backColor() == ui::colors::blue && c.foreColor() == ui::colors::white;
  }
  static bool BlackOnWhite(const ui::Control& c) {
    return c.backColor() == ui::colors::white && c.foreColor() == ui::colors::black;
  }
};

// ---------------------------------------------------------------- temperatures

class ModelTempLimits : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    gTemps.TempMin = -55;
    gTemps.TempMax = 125;
    gTemps.TempRiseMax = 50;
    gTemps.TempTotalMax = 150;
  }
  // Ambient and rise as the user set them: state and scroll bars agree.
  void Operate(int ambient, int rise) {
    gTemps.TempAmbient = static_cast<int16_t>(ambient);
    gTemps.TempRise = static_cast<int16_t>(rise);
    form().HS_TempAmbient.setValue(ambient + 75);
    form().HS_TempRise.setValue(rise);
    ShowTemperatureLimits(CheckWindowTemperatures());
  }
};

TEST_F(ModelTempLimits, AmbientBoxAgainstSeriesLimits) {
  Operate(-56, 0);
  EXPECT_TRUE(WhiteOnBlue(form().T_TempAmbient));
  Operate(126, 0);
  EXPECT_TRUE(WhiteOnRed(form().T_TempAmbient));
  Operate(-55, 0);
  EXPECT_TRUE(BlackOnWhite(form().T_TempAmbient));
  Operate(125, 0);
  EXPECT_TRUE(BlackOnWhite(form().T_TempAmbient));
}

TEST_F(ModelTempLimits, RiseBoxAgainstAllowedRise) {
  Operate(25, 51);
  EXPECT_TRUE(WhiteOnRed(form().T_TempRise));
  Operate(25, 50);
  EXPECT_TRUE(BlackOnWhite(form().T_TempRise));
}

TEST_F(ModelTempLimits, InternalTemperatureShownAndHeldAgainstTotalLimit) {
  Operate(125, 30);
  EXPECT_EQ(gTemps.InternalTemp, 155);
  EXPECT_EQ(form().T_TempSpecs[2].text(), "155");
  EXPECT_TRUE(WhiteOnRed(form().T_TempSpecs[2]));
  // Ambient within TempMax, sum exactly at TempTotalMax: no warning.
  Operate(100, 50);
  EXPECT_EQ(form().T_TempSpecs[2].text(), "150");
  EXPECT_TRUE(BlackOnWhite(form().T_TempSpecs[2]));
  Operate(-75, 0);
  EXPECT_EQ(form().T_TempSpecs[2].text(), "-75");
  EXPECT_TRUE(WhiteOnBlue(form().T_TempSpecs[2]));
}

TEST_F(ModelTempLimits, InternalTemperatureFollowsTheScrollBars) {
  // The state may lag behind the boxes; the scroll bars decide.
  gTemps.TempAmbient = 25;
  form().HS_TempAmbient.setValue(60 + 75);
  form().HS_TempRise.setValue(15);
  ShowTemperatureLimits(CheckWindowTemperatures());
  EXPECT_EQ(gTemps.InternalTemp, 75);
}

TEST_F(ModelTempLimits, EsrCoefficientsByDielectric) {
  gSelection.DielectricIndex = 2;
  gTemps.InternalTemp = 25;
  SetTempCoefficients();
  EXPECT_DOUBLE_EQ(gEsrTc.EsrTcA, 0.175);
  EXPECT_DOUBLE_EQ(gEsrTc.EsrTcB, -0.00699);
  gTemps.InternalTemp = 26;
  SetTempCoefficients();
  EXPECT_DOUBLE_EQ(gEsrTc.EsrTcA, 0.0897);
  EXPECT_DOUBLE_EQ(gEsrTc.EsrTcB, -0.0036);

  // Z5U sets the cubic only: the X7R pair stays.
  gSelection.DielectricIndex = 3;
  SetTempCoefficients();
  EXPECT_DOUBLE_EQ(gEsrTc.EsrTcA, 0.0897);
  EXPECT_DOUBLE_EQ(gEsrTc.EsrPoly0, 26.766);
  EXPECT_DOUBLE_EQ(gEsrTc.EsrPoly3, -3.06548e-05);

  // C0G and N1500: a factor of 1 at 25 degrees, 1.5 per 100 degrees cooler.
  for (int16_t dielectric : {1, 4}) {
    gSelection.DielectricIndex = dielectric;
    SetTempCoefficients();
    EXPECT_NEAR(std::pow(10.0, gEsrTc.EsrTcA + gEsrTc.EsrTcB * 25), 1.0, 1e-9);
    EXPECT_NEAR(std::pow(10.0, gEsrTc.EsrTcA + gEsrTc.EsrTcB * -75), 1.5, 1e-6);
  }

  // A dielectric without coefficients changes nothing.
  gSelection.DielectricIndex = 5;
  gEsrTc.EsrTcA = 7;
  SetTempCoefficients();
  EXPECT_EQ(gEsrTc.EsrTcA, 7);
}

// ---------------------------------------------------------------- thermal

class ModelThermal : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    gCaseGeometry.CaseLength = 1.825;
    gCaseGeometry.CaseWidth = 0.935;
    gCaseGeometry.TermBand = 0.02f;
    gChip.LengthWidthScale = 0.83;
    gChip.ThicknessScale = 0.68;
    gChip.ActiveLayerThick = 0.0015;
    gChip.Effectives = 50;
  }
  double ForChips(int chips) {
    gChip.Chips = static_cast<int16_t>(chips);
    CalcThermalResistance();
    return gResults.ThermalRes;
  }
};

TEST_F(ModelThermal, StackLadderExamples) {
  EXPECT_NEAR(ForChips(1), 55.35, 0.005);
  EXPECT_NEAR(ForChips(2), 33.61, 0.005);
  EXPECT_NEAR(ForChips(4), 22.65, 0.005);
}

TEST_F(ModelThermal, MoreChipsLowerTheResistanceButNotBelowTheFinalStep) {
  const double finalStep = 0.254 / 4.186 / (0.935 * 0.83 * 0.01) / 0.9165;
  EXPECT_NEAR(finalStep, 8.531, 0.001);
  double previous = ForChips(1);
  for (int chips = 2; chips <= 40; ++chips) {
    const double r = ForChips(chips);
    EXPECT_LT(r, previous) << chips;
    EXPECT_GT(r, finalStep) << chips;
    previous = r;
  }
}

TEST_F(ModelThermal, NoChipsOrLayersGiveNoValue) {
  EXPECT_TRUE(std::isnan(ForChips(0)));
  gChip.Effectives = 0;
  EXPECT_TRUE(std::isnan(ForChips(1)));
}

// ---------------------------------------------------------------- inductance

class ModelInductance : public ModelTest {
 protected:
  void Part(int series, int caseIndex, double length, double width, float band) {
    gSelection.SeriesIndex = static_cast<int16_t>(series);
    gSelection.CaseIndex = static_cast<int16_t>(caseIndex);
    gCaseGeometry.CaseLength = length;
    gCaseGeometry.CaseWidth = width;
    gCaseGeometry.TermBand = band;
    gChip.LengthWidthScale = 0.83;
  }
  double Esl(double leadInductance = 0) {
    gResults.LeadInductance = leadInductance;
    CalcEsl();
    return gResults.Esl;
  }
};

TEST_F(ModelInductance, StripTermExample) {
  Part(1, 1, 0.5, 2.25, 0.02f);
  EXPECT_NEAR(Esl(), 0.86452e-9, 0.00001e-9);
  EXPECT_DOUBLE_EQ(gResults.LengthScaled, 0.415);
  EXPECT_DOUBLE_EQ(gResults.WidthScaled, 1.8675);
  EXPECT_EQ(gResults.LeadCoef1, 1.16);
  EXPECT_EQ(gResults.LeadCoef2, 100);
  EXPECT_EQ(gResults.LeadTerm, 20);
}

TEST_F(ModelInductance, LeadedWireExample) {
  Part(5, 51, 0.44, 0.48, 0.03f);
  gResults.ThermalRes = 10;
  CalcLeadInductance();
  EXPECT_NEAR(gResults.LeadInductance, 0.35870, 0.00001);
  EXPECT_NEAR(gResults.ThermalRes, 11.1111, 0.0001);
  CalcEsl();
  EXPECT_NEAR(gResults.Esl, 5.12460e-9, 0.00002e-9);
  EXPECT_DOUBLE_EQ(gResults.EslPart, 0.036);
}

TEST_F(ModelInductance, LeadDiameterTable) {
  struct Row {
    int series, caseIndex;
    double inductance, factor;
  } rows[] = {
      {1, 2, 0.50565, 1.2},     {7, 5, 0.44986, 1.16},    {9, 8, 0.38815, 1.125},
      {9, 7, 0.50565, 1.2},     {8, 12, 0.44986, 1.16},   {8, 2, 0.50565, 1.2},
      {5, 79, 0.35870, 1.11111}, {5, 81, 0.50565, 1.2},  {5, 41, 0.35870, 1.11111},
  };
  for (const Row& r : rows) {
    gSelection.SeriesIndex = static_cast<int16_t>(r.series);
    gSelection.CaseIndex = static_cast<int16_t>(r.caseIndex);
    gResults.ThermalRes = 1;
    CalcLeadInductance();
    EXPECT_NEAR(gResults.LeadInductance, r.inductance, 0.00001) << r.series << "/" << r.caseIndex;
    EXPECT_NEAR(gResults.ThermalRes, r.factor, 0.00001) << r.series << "/" << r.caseIndex;
  }
}

TEST_F(ModelInductance, ChipSeriesAreTheBodyAlone) {
  for (int series : {14, 18, 22, 24}) {
    Part(series, 100, 0.205, 0.15, 0.02f);
    EXPECT_DOUBLE_EQ(Esl(0.5), Esl(0)) << series;
    EXPECT_EQ(gResults.LeadCoef1, 1.16);
    EXPECT_EQ(gResults.LeadCoef2, 100);
  }
}

TEST_F(ModelInductance, StyledSeriesTakeTheFactorOutsideCase112) {
  for (int series : {23, 25}) {
    Part(series, 109, 0.248, 0.265, 0.01f);
    const double withLead = Esl(0.5);
    EXPECT_EQ(gResults.LeadTerm, 10);
    // The factor 0.71 applies to the lead inductance too.
    EXPECT_NEAR(withLead - Esl(0), 2 * 0.5 * 0.71 * 1e-9, 1e-22);

    Part(series, 112, 0.1, 0.125, 0.01f);
    const double lead112 = Esl(0.5);
    EXPECT_EQ(gResults.LeadTerm, 2);
    EXPECT_NEAR(lead112 - Esl(0), 2 * 0.5 * 1e-9, 1e-22);
  }
}

TEST_F(ModelInductance, WideCasesOfTheStripSeries) {
  for (int series : {1, 2, 12}) {
    Part(series, 3, 0.5, 1.26, 0.02f);
    const double narrow = Esl();
    EXPECT_EQ(gResults.LeadCoef2, 100);
    Part(series, 93, 0.5, 1.26, 0.02f);
    const double wide = Esl();
    EXPECT_EQ(gResults.LeadCoef2, 112);
    EXPECT_EQ(gResults.LeadTerm, 10);
    // Same strips, k 1.5 instead of 0.7.
    EXPECT_NEAR(wide - narrow, (1.5 - 0.7) * std::log(17.0 / 3.0) / 10 * 1e-9, 1e-20);
  }
}

TEST_F(ModelInductance, StripCountsOfTheOtherTables) {
  struct Row {
    int series, caseIndex, strips;
  } rows[] = {
      {3, 2, 8},   {3, 6, 11},  {4, 44, 3},  {4, 77, 6},  {4, 86, 14}, {6, 22, 2},
      {6, 41, 3},  {6, 42, 4},  {6, 61, 4},  {10, 4, 4},  {11, 5, 3},  {2, 56, 20},
  };
  for (const Row& r : rows) {
    Part(r.series, r.caseIndex, 0.44, 0.48, 0.02f);
    Esl();
    EXPECT_EQ(gResults.LeadTerm, r.strips) << r.series << "/" << r.caseIndex;
  }
}

TEST_F(ModelInductance, WireDiametersAndWeightFactors) {
  struct Row {
    int series, caseIndex;
    double wire, coef1;
  } rows[] = {
      {5, 84, 0.028, 1.16}, {5, 42, 0.028, 1.16}, {5, 60, 0.036, 1.16}, {5, 91, 0.02, 1.16},
      {5, 33, 0.032, 1.16}, {5, 50, 0.025, 1.16}, {7, 7, 0.032, 1.8},   {8, 17, 0.025, 1.8},
      {9, 5, 0.025, 1.8},
  };
  for (const Row& r : rows) {
    Part(r.series, r.caseIndex, 0.44, 0.48, 0.02f);
    Esl();
    EXPECT_DOUBLE_EQ(gResults.EslPart, r.wire) << r.series << "/" << r.caseIndex;
    EXPECT_DOUBLE_EQ(gResults.LeadCoef1, r.coef1) << r.series << "/" << r.caseIndex;
  }
}

TEST_F(ModelInductance, Series13ByCaseAndChipThickness) {
  Part(13, 3, 0.435, 0.48, 0.02f);
  gChip.ChipThickInch = 0.07;  // the thin row includes 0.07
  Esl();
  EXPECT_EQ(gResults.LeadCoef2, 115);
  EXPECT_DOUBLE_EQ(gResults.LeadCoef1, 2.0);
  EXPECT_DOUBLE_EQ(gResults.EslPart, 0.02);
  gChip.ChipThickInch = 0.0701;
  Esl();
  EXPECT_EQ(gResults.LeadCoef2, 110);
  EXPECT_DOUBLE_EQ(gResults.LeadCoef1, 1.8);
  EXPECT_DOUBLE_EQ(gResults.EslPart, 0.025);
  Part(13, 1, 0.266, 0.3, 0.02f);
  gChip.ChipThickInch = 0.05;
  Esl();
  EXPECT_EQ(gResults.LeadCoef2, 125);
  EXPECT_DOUBLE_EQ(gResults.LeadCoef1, 2.8);
}

TEST_F(ModelInductance, UnlistedCaseDoesNotDependOnThePreviousPart) {
  // Case 7 of series 1 has geometry but no strip count of its own.
  Part(1, 7, 0.365, 0.76, 0.02f);
  gResults.LeadTerm = 3;
  const double afterOne = Esl();
  gResults.LeadTerm = 0;  // nothing calculated yet
  const double afterNone = Esl();
  EXPECT_TRUE(std::isfinite(afterOne));
  EXPECT_EQ(afterOne, afterNone);
}

// ---------------------------------------------------------------- electrical

class ModelElectrical : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    // A 1 uF C0G part with 1 nH: self-resonant near 5.03 MHz.
    gSelection.SeriesIndex = 1;
    gSelection.DielectricIndex = 1;
    gSelection.Capacitance = 1e-6;
    gSelection.Frequency = 100000;
    gChip.DielectricK = 17;
    gResults.Esl = 1e-9;
    gResults.ThermalRes = 20;
    gResults.DielBPFlag = 1;
    gResults.VoltageDerate = 0.5;
    gCurve.CurveVoltMax = 50;
    gTemps.InternalTemp = 25;
    gTemps.TempRise = 10;
    SetTempCoefficients();
    form().CB_Volt.addItem("50", 2);
    form().CB_Volt.setText("50");
    work.AllowedRise = 50;
    work.MaxInternalTemp = 75;
  }
  void Run() {
    CalcElectricalResults(work);
    ShowCurrentWarnings(SetCurrentWarnings());
  }
  double Srf() const { return 1 / (2 * Pi * std::sqrt(1e-6 * 1e-9)); }
  ElectricalWork work;
};

TEST_F(ModelElectrical, BelowResonance) {
  Run();
  const double srf = Srf();
  EXPECT_NEAR(work.SelfResonantFrequency, 5.0329e6, 100);
  const double esr1k = 1 / (2 * Pi * 1000 * 1e-6) * 0.0015;
  const double base = esr1k / (2 * srf / 1000 / std::pow(10, 1.6) + 1);
  EXPECT_NEAR(work.EsrBase, base, base * 1e-12);
  EXPECT_NEAR(work.EsrAtFrequency, base * (2 * srf / 100000 / std::pow(10, 1.6) + 1), base * 1e-12);
  EXPECT_NEAR(work.EsrOperating, work.EsrAtFrequency, work.EsrAtFrequency * 1e-8);  // 25 degrees
  EXPECT_LT(gResults.Phase, -89.0);
  EXPECT_NEAR(gResults.Impedance, 1 / (2 * Pi * 1e5 * 1e-6) - 2 * Pi * 1e5 * 1e-9, 1e-4);
  EXPECT_DOUBLE_EQ(gSelection.WorkFrequency, 100000);
}

TEST_F(ModelElectrical, AtResonance) {
  gSelection.Frequency = Srf();
  Run();
  // The lower branch holds at resonance: factor 2 / 10^1.6 + 1.
  EXPECT_NEAR(work.EsrAtFrequency / work.EsrBase, 1.0502, 0.0001);
  EXPECT_NEAR(work.EsrAtResonance, work.EsrOperating, work.EsrOperating * 1e-9);
  EXPECT_NEAR(gResults.Phase, 0, 1e-6);
  EXPECT_NEAR(gResults.Impedance, work.EsrOperating, work.EsrOperating * 1e-6);
}

TEST_F(ModelElectrical, AboveResonance) {
  gSelection.Frequency = 4 * Srf();
  Run();
  EXPECT_NEAR(work.EsrAtFrequency, 0.93 * work.EsrBase * (5 * 4.0 / std::pow(10, 1.6) + 1),
              work.EsrBase * 1e-9);
  EXPECT_GT(gResults.Phase, 80);
}

TEST_F(ModelElectrical, Series9ResonanceCorrection) {
  gSelection.SeriesIndex = 9;
  Run();
  EXPECT_NEAR(work.EsrAtResonance / work.EsrBase, 2 / std::pow(10, 1.9) + 1, 1e-6);
  const double esr1k = 1 / (2 * Pi * 1000 * 1e-6) * 0.0015;
  EXPECT_NEAR(work.EsrBase, esr1k / (2.5 * Srf() / 1000 / std::pow(10, 1.9) + 1), 1e-15);
}

TEST_F(ModelElectrical, DissipationFactorByDielectricConstant) {
  gChip.DielectricK = 475;
  Run();
  EXPECT_EQ(work.DissipationFactor, 0.025);
  gChip.DielectricK = 598;
  Run();
  EXPECT_EQ(work.DissipationFactor, 0.018);
}

TEST_F(ModelElectrical, TemperatureLaws) {
  // X7R: the hot side takes its own pair at MaxInternalTemp.
  gSelection.DielectricIndex = 2;
  gResults.DielBPFlag = 0;
  gResults.DielBXFlag = 1;
  work.MaxInternalTemp = 25;
  Run();
  EXPECT_DOUBLE_EQ(gEsrTc.EsrTcC, 0.175);
  EXPECT_DOUBLE_EQ(gEsrTc.EsrTcD, -0.00699);
  work.MaxInternalTemp = 26;
  Run();
  EXPECT_DOUBLE_EQ(gEsrTc.EsrTcC, 0.0897);
  EXPECT_NEAR(work.EsrHot / work.EsrAtFrequency, std::pow(10, 0.0897 - 0.0036 * 26), 1e-12);

  // Z5U: the cubic percentage change.
  gSelection.DielectricIndex = 3;
  gResults.DielBXFlag = 0;
  gTemps.InternalTemp = 85;
  SetTempCoefficients();
  Run();
  const double T = 85;
  const double p = 26.766 - 1.47436 * T + 0.0168755 * T * T - 3.06548e-05 * T * T * T;
  EXPECT_NEAR(work.EsrOperating / work.EsrAtFrequency, (100 + p) / 100, 1e-12);
  EXPECT_NEAR(work.EsrAtResonance / work.EsrOperating,
              work.EsrBase * (2 / std::pow(10, 1.6) + 1) / work.EsrAtFrequency, 1e-12);
}

TEST_F(ModelElectrical, NoRiseNoCurrentNoWarning) {
  gTemps.TempRise = 0;
  Run();
  EXPECT_EQ(gResults.CurrentAtTempRise, 0);
  EXPECT_EQ(gResults.RippleVoltage, 0);
  EXPECT_TRUE(BlackOnWhite(form().T_TempSpecs[0]));
  EXPECT_TRUE(BlackOnWhite(form().T_TempSpecs[5]));
  EXPECT_FALSE(form().Label2.visible());
}

TEST_F(ModelElectrical, VoltageLimitedCurrent) {
  Run();
  // The current whose voltage across the impedance reaches the limit.
  const double byVoltage = 25 / gResults.Impedance;
  EXPECT_NEAR(gResults.MaxCurrentVoltage, byVoltage, byVoltage * 1e-15);
  EXPECT_LT(gResults.MaxCurrentVoltage * gResults.Impedance, 25);
  EXPECT_GT(gResults.MaxCurrentThermal, byVoltage);
  EXPECT_EQ(gResults.MaxCurrent, gResults.MaxCurrentVoltage);
  EXPECT_DOUBLE_EQ(gResults.VoltageLimit, 25);
  EXPECT_EQ(gResults.RippleVoltageShown, 25.0f);
  // A rise of 10 stays within both limits.
  EXPECT_LT(gResults.CurrentAtTempRise, gResults.MaxCurrent);
  EXPECT_TRUE(BlackOnWhite(form().T_TempSpecs[0]));
  EXPECT_FALSE(form().Label2.visible());
}

TEST_F(ModelElectrical, ExcessiveVoltage) {
  gTemps.TempRise = 20;
  Run();
  EXPECT_DOUBLE_EQ(gResults.RippleVoltage, 25);  // cut at the limit
  EXPECT_TRUE(WhiteOnRed(form().T_TempSpecs[0]));
  EXPECT_TRUE(WhiteOnRed(form().T_TempSpecs[5]));
  EXPECT_TRUE(form().Label2.visible());

  // Back within the limits: the cells and the label reset.
  gTemps.TempRise = 5;
  Run();
  EXPECT_TRUE(BlackOnWhite(form().T_TempSpecs[5]));
  EXPECT_FALSE(form().Label2.visible());
}

TEST_F(ModelElectrical, ThermallyLimitedCurrentAboveTheAllowedRise) {
  gCurve.CurveVoltMax = 5000;
  form().CB_Volt.addItem("5000", 15);
  form().CB_Volt.setText("5000");
  work.AllowedRise = 20;
  gTemps.TempRise = 30;
  Run();
  EXPECT_EQ(gResults.MaxCurrent, gResults.MaxCurrentThermal);
  EXPECT_GT(gResults.CurrentAtTempRise, gResults.MaxCurrent);
  EXPECT_TRUE(WhiteOnRed(form().T_TempSpecs[0]));
  EXPECT_TRUE(WhiteOnRed(form().T_TempSpecs[5]));
  EXPECT_FALSE(form().Label2.visible());
}

TEST_F(ModelElectrical, MaxCurrentKeepsTheVoltageWithinItsLimitAtEveryFrequency) {
  // Both deratings, below, at and far above the self-resonance (5.03 MHz).
  for (double derate : {0.5, 0.25}) {
    gResults.VoltageDerate = derate;
    for (double f : {50.0, 1e3, 1e5, 1e6, 5.0329e6, 2e7, 1e8}) {
      gSelection.Frequency = f;
      gResults.ThermalRes = 20;
      Run();
      const double limit = 50 * derate;
      const std::string at = std::to_string(derate) + " at " + std::to_string(f);
      EXPECT_LT(gResults.MaxCurrent * gResults.Impedance, limit) << at;
      if (!(gResults.MaxCurrent < gResults.MaxCurrentThermal)) continue;
      EXPECT_EQ(gResults.RippleVoltageShown, limit) << at;

      // Where the voltage sets Max Current, a current just below it raises
      // no warning; just above, both.
      const double maxCurrent = gResults.MaxCurrent;
      const double esr = work.EsrOperating;
      gResults.ThermalRes = 10 / (esr * maxCurrent * maxCurrent) * (1 + 1e-12);
      Run();
      ASSERT_EQ(gResults.MaxCurrent, maxCurrent) << at;
      EXPECT_LE(gResults.CurrentAtTempRise, maxCurrent) << at;
      EXPECT_FALSE(form().Label2.visible()) << at;
      EXPECT_TRUE(BlackOnWhite(form().T_TempSpecs[0])) << at;
      gResults.ThermalRes = 10 / (esr * maxCurrent * maxCurrent) * (1 - 1e-9);
      Run();
      EXPECT_GT(gResults.CurrentAtTempRise, maxCurrent) << at;
      EXPECT_TRUE(form().Label2.visible()) << at;
      EXPECT_TRUE(WhiteOnRed(form().T_TempSpecs[0])) << at;
    }
  }
}

TEST_F(ModelElectrical, Mil123UsesThePartsRatedVoltage) {
  // The limit comes from the part's own rating, not the voltage code's 600.
  form().OB_MIL123.setValue(true);
  gSelection.VoltageText = "600";
  gCurve.CurveVoltMax = 100;
  Run();
  EXPECT_NEAR(gResults.MaxCurrentVoltage, 50 / gResults.Impedance, 1e-12);
}

TEST_F(ModelElectrical, VoltageListWithoutANumberFallsBackToTheRating) {
  form().CB_Volt.clear();
  gCurve.CurveVoltMax = 100;
  Run();
  EXPECT_NEAR(gResults.MaxCurrentVoltage, 50 / gResults.Impedance, 1e-12);
}

TEST_F(ModelElectrical, UndefinedInputsGiveNonFiniteValuesNotACrash) {
  gResults.Esl = 0;
  Run();
  EXPECT_FALSE(std::isfinite(work.SelfResonantFrequency));
  gResults.Esl = 1e-9;
  gResults.ThermalRes = std::nan("");
  Run();
  EXPECT_TRUE(std::isnan(gResults.MaxCurrentThermal));
  EXPECT_TRUE(std::isnan(gResults.CurrentAtTempRise));
}

TEST(ModelSingle, NarrowingSaturates) {
  EXPECT_EQ(ToSingle(1e300), INFINITY);
  EXPECT_EQ(ToSingle(-1e300), -INFINITY);
  EXPECT_EQ(ToSingle(2.3), 2.3f);
  EXPECT_TRUE(std::isnan(ToSingle(std::nan(""))));
}

// ---------------------------------------------------------------- capacitance change

class ModelCapVoltage : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    gSelection.Capacitance = 2.2e-6;
    gChip.DielThickness = 1.5;
    gChip.Mult = 1;
    gChip.Cascades = 1;
    gCurve.CurveVoltMax = 50;
  }
  void Flags(int f1, int f2, int f3, int f4, int f5) {
    gChip.DesignFlag1 = static_cast<int16_t>(f1);
    gChip.DesignFlag2 = static_cast<int16_t>(f2);
    gChip.DesignFlag3 = static_cast<int16_t>(f3);
    gChip.DesignFlag4 = static_cast<int16_t>(f4);
    gChip.DesignFlag5 = static_cast<int16_t>(f5);
  }
  // The curve as a calculation computes and shows it.
  void Curve() {
    gSelection.Mil123Entry = form().OB_MIL123.value();
    CalcCapVoltageCurve(form().Label8.caption());
    ShowCapVoltageCurve();
  }
};

TEST_F(ModelCapVoltage, FieldFits) {
  Flags(0, 0, 0, 0, 0);
  EXPECT_NEAR(CapChangeFit(100, 0), -28.052, 0.0005);
  EXPECT_NEAR(CapChangeFit(0, 0), 8.64 - 2.57 * std::exp(-9.0), 1e-12);
  Flags(1, 0, 0, 0, 0);
  EXPECT_NEAR(CapChangeFit(100, 0), -70.498, 0.0005);
  EXPECT_NEAR(CapChangeFit(0, 0), -0.0009, 0.00005);
  Flags(0, 1, 0, 0, 0);
  EXPECT_NEAR(CapChangeFit(100, 0), -34.46299, 0.00001);
  Flags(0, 0, 1, 0, 0);
  EXPECT_NEAR(CapChangeFit(100, 0), -87.529, 0.00001);
  // The first flag set wins.
  Flags(1, 1, 1, 1, 1);
  EXPECT_NEAR(CapChangeFit(100, 25), -70.498, 0.0005);
}

TEST_F(ModelCapVoltage, VoltageFitsByRating) {
  struct Row {
    int flag;
    double rating, expected;
  } rows[] = {
      {4, 25, -52.750}, {4, 50, -63.9033}, {4, 100, -66.0458}, {5, 25, -79.421}, {5, 50, -91.175},
  };
  for (const Row& r : rows) {
    Flags(0, 0, 0, r.flag == 4, r.flag == 5);
    gCurve.CurveVoltMax = r.rating;
    Curve();
    // The last step is at the rated voltage.
    EXPECT_NEAR(gCurve.GraphY1[500], r.rating, 1e-9);
    EXPECT_NEAR(gCurve.GraphY3[500], r.expected, 0.0005) << r.flag << " at " << r.rating;
  }
}

// i x rated / 500 volts as its decimal (thousandths at most), cut to three
// significant digits with every integer digit kept, without trailing zeros.
std::string ExactStepText(int i, int rated) {
  const long thousandths = 2L * i * rated;
  const int decimals = thousandths >= 100000 ? 0 : thousandths >= 10000 ? 1 : thousandths >= 1000 ? 2 : 3;
  long kept = thousandths;
  for (int d = decimals; d < 3; ++d) kept /= 10;
  std::string digits = std::to_string(kept);
  if (digits.size() <= static_cast<std::size_t>(decimals))
    digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
  std::string text = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
  std::string fraction = digits.substr(text.size());
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return fraction.empty() ? text : text + "." + fraction;
}

// Every step of every rating lies at i x rated / 500 and the panel shows
// its exact value (600, 300, 12; 3, 0.7, 0.3), not one a little below.
TEST_F(ModelCapVoltage, EveryStepShowsItsExactVoltage) {
  Flags(0, 0, 0, 0, 0);
  form().Label8.setCaption("\u00B5");
  gChip.DielThickness = 1e6;  // no step beyond the field limit
  for (int index = 1; index <= 15; ++index) {
    SetCurveVoltMax(index, 15);
    const int rated = static_cast<int>(gCurve.CurveVoltMax);
    Curve();
    for (int i = 1; i <= 500; ++i) {
      EXPECT_EQ(gCurve.GraphY1[static_cast<std::size_t>(i)], static_cast<double>(i) * rated / 500);
      form().HScroll1.setValue(i);
      HScroll1_Change();
      EXPECT_EQ(form().Text2.text(), ExactStepText(i, rated)) << "step " << i << " of " << rated << " V";
    }
  }
}

TEST_F(ModelCapVoltage, RatingWithoutAFitTakesTheDefaultNotALeftover) {
  for (int flag : {4, 5}) {
    Flags(0, 0, 0, flag == 4, flag == 5);
    gCurve.CurveVoltMax = 200;
    gCurve.CapChange = -99;  // left by an earlier part
    Curve();
    Flags(0, 0, 0, 0, 0);
    for (int i : {1, 250, 500}) {
      const double field = gCurve.GraphY1[static_cast<std::size_t>(i)] / 1.08;
      EXPECT_NEAR(gCurve.GraphY3[static_cast<std::size_t>(i)],
                  std::min(0.0, CapChangeFit(field, 0)), 1e-9)
          << flag << " step " << i;
    }
  }
}

TEST_F(ModelCapVoltage, RatedFiftyVoltsStaysUsable) {
  Flags(0, 0, 0, 0, 0);
  form().Label8.setCaption("\u00B5");
  Curve();
  EXPECT_DOUBLE_EQ(gCurve.DielThickTotal, 1.08);
  EXPECT_NEAR(gCurve.CurveField, 46.3, 0.05);
  EXPECT_EQ(gCurve.CurveCutIndex, 0);
  EXPECT_EQ(gCurve.CurveLastPoint, 500);
  EXPECT_EQ(form().HScroll1.max(), 500);
  ASSERT_EQ(gCurve.GraphY1.size(), 501u);
  EXPECT_EQ(gCurve.GraphY1[0], 0);
  // Low fields would give a positive change: clamped to none.
  EXPECT_EQ(gCurve.GraphY3[1], 0);
  EXPECT_DOUBLE_EQ(gCurve.GraphY2[1], 2.2);
  EXPECT_LT(gCurve.GraphY3[500], 0);
  EXPECT_NEAR(gCurve.GraphY2[500], 2.2 * (1 + gCurve.GraphY3[500] / 100), 1e-12);
  EXPECT_EQ(form().Text2.text(), "0");
  EXPECT_EQ(form().Text3.text(), "0");
  EXPECT_EQ(form().Text4.text(), "2.2");
}

TEST_F(ModelCapVoltage, FieldLimitCutsTheUsablePoints) {
  Flags(0, 0, 0, 0, 0);
  // The field passes 300 V per unit first at step 137.
  gCurve.CurveVoltMax = 300 * 1.08 * 500 / 136.5;
  Curve();
  EXPECT_EQ(gCurve.CurveCutIndex, 137);
  EXPECT_EQ(gCurve.CurveLastPoint, 137);
  EXPECT_EQ(form().HScroll1.max(), 137);
  EXPECT_NEAR(gCurve.GraphY1[500], gCurve.CurveVoltMax, 1e-9);  // all points stored

  // Flags 3 and 4 lower the limit to 200.
  Flags(0, 0, 1, 0, 0);
  gCurve.CurveVoltMax = 200 * 1.08 * 500 / 136.5;
  Curve();
  EXPECT_EQ(gCurve.CurveLastPoint, 137);
}

TEST_F(ModelCapVoltage, TheChangeNeverPassesTheWholeCapacitance) {
  // The fit of flag 3 falls below -100 % from a field of about 131 on;
  // 200 V over 1.08 reaches a field of 185 at the rating.
  Flags(0, 0, 1, 0, 0);
  gCurve.CurveVoltMax = 200;
  form().Label8.setCaption("\u00B5");
  Curve();
  ASSERT_LT(CapChangeFit(gCurve.CurveField, 0), -200);
  for (std::size_t i = 1; i <= 500; ++i) EXPECT_GE(gCurve.GraphY3[i], -100) << i;
  EXPECT_EQ(gCurve.GraphY2[500], 0);
  // One point at a time, as the graph and its cursor take it.
  EXPECT_EQ(CapVoltageAt(200, 1.08, "\u00B5", false).left, 0);
}

TEST_F(ModelCapVoltage, CapacitanceInTheUnitShown) {
  Flags(1, 0, 0, 0, 0);
  gSelection.Capacitance = 4.7e-9;
  form().Label8.setCaption("n");
  Curve();
  EXPECT_NEAR(gCurve.GraphY2[300], 4.7 * (1 + gCurve.GraphY3[300] / 100), 1e-12);
  form().Label8.setCaption("p");
  Curve();
  EXPECT_NEAR(gCurve.GraphY2[300], 4700 * (1 + gCurve.GraphY3[300] / 100), 1e-9);

  // MIL-PRF-123 entry reads the number of the capacitance text.
  form().OB_MIL123.setValue(true);
  gSelection.CapacitanceText = "100 pF";
  Curve();
  EXPECT_NEAR(gCurve.GraphY2[300], 100 * (1 + gCurve.GraphY3[300] / 100), 1e-9);
  // An ending it does not know leaves the value as it was.
  const double before = gCurve.CapDisplay;
  gSelection.CapacitanceText = "100 XX";
  Curve();
  EXPECT_EQ(gCurve.GraphY2[1], before);
  EXPECT_EQ(gCurve.GraphY2[500], before);
}

TEST_F(ModelCapVoltage, NoDielectricThicknessGivesAnUnusableFlatCurve) {
  gChip.DielThickness = 0;
  Curve();
  EXPECT_EQ(gCurve.CurveLastPoint, 1);
  EXPECT_EQ(gCurve.GraphY3[250], 0);
  EXPECT_EQ(form().HScroll1.max(), 1);
}

TEST_F(ModelCapVoltage, ZeroRatingGivesAFlatCurveAtZeroVolts) {
  gCurve.CurveVoltMax = 0;
  Flags(1, 0, 0, 0, 0);
  Curve();
  EXPECT_EQ(gCurve.GraphY1[500], 0);
  EXPECT_NEAR(gCurve.GraphY3[500], -0.0009, 0.00005);
  EXPECT_EQ(gCurve.CurveLastPoint, 500);
}

}  // namespace
}  // namespace quenta
