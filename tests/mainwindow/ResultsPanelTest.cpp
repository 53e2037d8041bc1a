// The results panel: units chosen by magnitude, the three-digit cut, the
// maximum boxes, and boxes left blank for values that are not finite.
#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "catalogue/DesignState.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Results.h"
#include "ui/Headless.h"

namespace quenta {
namespace {

class ResultsPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_.emplace(services);
    ResetForms();
    gResults = ElectricalResults{};
    gChip = ChipDesign{};
  }
  void TearDown() override {
    ResetForms();
    scope_.reset();
  }
  static MainForm& f() { return F_QuentaMainForm(); }

  // A plain result set, with the values under test replaced.
  struct Values {
    float current = 1.5f, maxCurrent = 3.25f, esr = 0.05f, esrRes = 0.002f, esrHot = 0.04f;
    float esl = 1.5e-9f, thermal = 20.0f, srf = 5e6f;
    int16_t rise = 50;
  };
  static void show(const Values& v) {
    ShowResults(v.current, v.maxCurrent, v.esr, v.esrRes, v.esrHot, v.esl, v.thermal, v.srf,
                v.rise);
  }

  ui::HeadlessServices services;

 private:
  std::optional<ui::ScopedServices> scope_;
};

TEST_F(ResultsPanel, EsrAtTheOperatingFrequencyTakesTheUnitOfItsSize) {
  const struct {
    float ohms;
    const char* shown;
    const char* unit;
  } cases[] = {
      {0.05f, "50", "mOhms"},  {0.9999f, "999", "mOhms"}, {1.0f, "1", "Ohms"},
      {1000.0f, "1000", "Ohms"}, {2500.0f, "2.5", "kOhms"}, {1e6f, "1000", "kOhms"},
      {2e6f, "2", "MOhms"},
  };
  for (const auto& c : cases) {
    Values v;
    v.esr = c.ohms;
    show(v);
    EXPECT_EQ(f().T_FreqSpecs[0].text(), c.shown) << c.ohms;
    EXPECT_EQ(f().Label1[4].caption(), std::string("ESR at Oper. Freq. (") + c.unit + ")")
        << c.ohms;
  }
}

TEST_F(ResultsPanel, SelfResonanceTakesTheUnitOfItsSize) {
  const struct {
    float hertz;
    const char* shown;
    const char* unit;
  } cases[] = {
      {1000.0f, "1000", "Hz"}, {1001.0f, "1", "kHz"}, {1e6f, "1000", "kHz"},
      {12.34e6f, "12.3", "MHz"}, {850.5f, "850", "Hz"},
  };
  for (const auto& c : cases) {
    Values v;
    v.srf = c.hertz;
    show(v);
    EXPECT_EQ(f().T_Specs[1].text(), c.shown) << c.hertz;
    EXPECT_EQ(f().L_Specs[0].caption(), std::string("Self-Resonance Freq. (") + c.unit + ")")
        << c.hertz;
  }
}

TEST_F(ResultsPanel, WritesEveryBoxCutToThreeDigits) {
  gResults.Phase = -89.987;
  gResults.RippleVoltage = 12.345;
  gResults.RippleVoltageShown = 24.99f;
  gResults.LeadCoef1 = 1.16;
  gResults.LeadCoef2 = 100;
  gResults.LengthScaled = 0.5;
  gResults.WidthScaled = 0.25;
  gChip.VolumeFactor = 0.1;
  show(Values{});
  EXPECT_EQ(f().T_Specs[2].text(), "2");       // milliohms
  EXPECT_EQ(f().T_Specs[3].text(), "1.5");     // nanohenries
  EXPECT_EQ(f().T_Specs[4].text(), "20");
  EXPECT_EQ(f().weight_tb[5].text(), "1.45");
  EXPECT_DOUBLE_EQ(gResults.Weight, 1.45);
  EXPECT_EQ(f().phase[0].text(), "-89.9");
  EXPECT_EQ(f().T_TempSpecs[0].text(), "1.5");
  EXPECT_EQ(f().T_TempSpecs[1].text(), "0.112");  // 1.5 A squared through 50 mOhms
  EXPECT_EQ(f().T_TempSpecs[3].text(), "3.25");
  EXPECT_EQ(f().T_TempSpecs[4].text(), "2.5");  // 50 degrees over 20 degrees per W
  EXPECT_EQ(f().T_TempSpecs[5].text(), "12.3");
  EXPECT_EQ(f().T_TempSpecs[6].text(), "24.9");
  for (int i : {3, 4, 6}) EXPECT_EQ(f().T_TempSpecs[i].backColor(), ui::colors::white) << i;
}

TEST_F(ResultsPanel, AMaximumCurrentOfMinusOneMeansThereIsNone) {
  Values v;
  v.maxCurrent = -1;
  gResults.RippleVoltageShown = 5;
  show(v);
  EXPECT_EQ(f().T_TempSpecs[3].text(), "");
  EXPECT_EQ(f().T_TempSpecs[3].backColor(), ui::colors::red);
  EXPECT_EQ(f().T_TempSpecs[4].backColor(), ui::colors::lightGrey);
  EXPECT_EQ(f().T_TempSpecs[6].backColor(), ui::colors::lightGrey);
  EXPECT_EQ(f().T_TempSpecs[4].text(), "2.5");
  EXPECT_EQ(f().T_TempSpecs[6].text(), "5");

  show(Values{});
  for (int i : {3, 4, 6}) EXPECT_EQ(f().T_TempSpecs[i].backColor(), ui::colors::white) << i;
}

TEST_F(ResultsPanel, ValuesThatAreNotFiniteLeaveTheirBoxesBlank) {
  const float inf = std::numeric_limits<float>::infinity();
  Values v;
  v.thermal = 0;  // the maximum power has no value
  v.esr = std::numeric_limits<float>::quiet_NaN();
  v.maxCurrent = inf;
  v.srf = inf;
  show(v);
  EXPECT_EQ(f().T_TempSpecs[4].text(), "");
  EXPECT_EQ(f().T_FreqSpecs[0].text(), "");
  EXPECT_EQ(f().T_TempSpecs[1].text(), "");  // power through that ESR
  EXPECT_EQ(f().T_TempSpecs[3].text(), "");
  EXPECT_EQ(f().T_Specs[1].text(), "");
  EXPECT_EQ(f().T_Specs[4].text(), "0");
  EXPECT_EQ(f().T_TempSpecs[0].text(), "1.5");
}

TEST_F(ResultsPanel, ClearingRestoresTheCaptionsWithoutUnits) {
  show(Values{});
  ClearResults();
  EXPECT_EQ(f().Label1[4].caption(), "ESR at Oper. Freq.");
  EXPECT_EQ(f().L_Specs[0].caption(), "Self-Resonance Freq.");
  EXPECT_EQ(f().T_FreqSpecs[0].text(), "");
  EXPECT_EQ(f().T_Specs[0].text(), "");
}

}  // namespace
}  // namespace quenta
