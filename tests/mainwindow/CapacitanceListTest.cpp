// The capacitance pick-list and the capacitance entry boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "engine/CatalogueAuthoring.h"
#include "mainwindow/CapacitanceList.h"
#include "mainwindow/MainWindowSession.h"
#include "mainwindow/UiState.h"

namespace quenta::test {
namespace {

using Texts = std::vector<std::string>;

const std::string kMu = "\xC2\xB5";

class CapList : public MainWindowSession {
 protected:
  void SetUp() override {
    MainWindowSession::SetUp();
    ASSERT_TRUE(start());
  }
  // Puts limits (microfarads) into the tables for the current selection
  // and rebuilds the list.
  Texts listFor(double cmin, double cmax) {
    const auto& s = gSelection;
    gCapLimits.MinCapTable(s.SeriesIndex, s.CaseIndex, s.DielectricIndex, s.VoltageIndex) = cmin;
    gCapLimits.MaxCapTable(s.SeriesIndex, s.CaseIndex, s.DielectricIndex, s.VoltageIndex) = cmax;
    FillCapacitanceList();
    return entries(f().CB_Cap);
  }
  std::string selected() { return f().CB_Cap.text(); }
};

Texts withUnit(std::initializer_list<const char*> values, const std::string& unit) {
  Texts out;
  for (const char* v : values) out.push_back(std::string(v) + unit);
  return out;
}

TEST_F(CapList, UpperLimitBracketsWhenItIsNoPreferredValue) {
  EXPECT_EQ(listFor(0.001, 0.0025).back(), " 2.5 nF");
  EXPECT_EQ(listFor(0.001, 0.0025), withUnit({" 1", " 1.2", " 1.5", " 1.8", " 2.2", " 2.5"}, " nF"));
  EXPECT_EQ(selected(), " 2.5 nF");
  // In picofarads; the unit letter follows the highest decade, here the
  // one of 1 nF.
  EXPECT_EQ(listFor(0.00047, 0.00082), withUnit({" 470", " 560", " 680", " 820"}, " pF"));
  EXPECT_EQ(f().Label8.caption(), "p");
  EXPECT_EQ(listFor(0.00047, 0.001),
            (Texts{" 470 pF", " 560 pF", " 680 pF", " 820 pF", " 1 nF"}));
  EXPECT_EQ(f().Label8.caption(), "n");
  // Microfarads.
  EXPECT_EQ(listFor(1, 2), withUnit({" 1", " 1.2", " 1.5", " 1.8", " 2"}, " " + kMu + "F"));
  EXPECT_EQ(f().Label8.caption(), kMu);
}

TEST_F(CapList, OneDecadeWithoutPreferredValuesShowsTheLimits) {
  pick(f().CB_Case, "05");
  EXPECT_EQ(entries(f().CB_Cap), (Texts{"5 " + kMu + "F"}));
  EXPECT_EQ(selected(), "5 " + kMu + "F");
  pick(f().CB_Dielectric, "X7R");  // 5 to 6 uF, E6
  EXPECT_EQ(entries(f().CB_Cap), (Texts{"5 " + kMu + "F", "6 " + kMu + "F"}));
  EXPECT_EQ(selected(), "6 " + kMu + "F");
  // A lower limit above the upper one is lowered to it.
  EXPECT_EQ(listFor(8, 6), (Texts{"6 " + kMu + "F"}));
}

TEST_F(CapList, NotOfferedAndNonPositiveLimitsShowNoCapacitance) {
  f().Label8.setCaption("x");
  EXPECT_EQ(listFor(-1, -1), (Texts{"No Capacitance"}));
  EXPECT_EQ(selected(), "No Capacitance");
  EXPECT_EQ(f().Label8.caption(), "x");
  // A listed maximum without a minimum, or a limit of 0, has no decade.
  EXPECT_EQ(listFor(-1, 1), (Texts{"No Capacitance"}));
  EXPECT_EQ(listFor(0, 1), (Texts{"No Capacitance"}));
  EXPECT_EQ(listFor(0.1, 0), (Texts{"No Capacitance"}));
  // The same from the catalogue: KD case 02 C0G 100 V lists no minimum.
  pick(f().CB_Case, "02");
  pick(f().CB_Volt, "100");
  EXPECT_EQ(entries(f().CB_Cap), (Texts{"No Capacitance"}));
}

TEST_F(CapList, CommercialTickUsesTheStyleLimit) {
  pick(f().CB_Dielectric, "X7R");  // 10 nF to 2.7 uF
  EXPECT_EQ(selected(), " 2.7 " + kMu + "F");
  f().T_Specs[1].setText("42");
  f().CK_Comm.setValue(1);
  EXPECT_EQ(f().T_Specs[1].text(), "");
  EXPECT_EQ(gSelection.CommercialFlag, 1);
  Texts list = entries(f().CB_Cap);
  EXPECT_EQ(list[list.size() - 2], " 100 " + kMu + "F");
  EXPECT_EQ(list.back(), " 130 " + kMu + "F");
  EXPECT_EQ(selected(), " 130 " + kMu + "F");
  // Case 07 belongs to no style family: no commercial capacitance.
  pick(f().CB_Case, "07");
  EXPECT_TRUE(f().CK_Comm.visible());
  EXPECT_EQ(entries(f().CB_Cap), (Texts{"No Capacitance"}));
  f().T_Specs[1].setText("42");
  f().CK_Comm.setValue(0);
  EXPECT_EQ(f().T_Specs[1].text(), "");
  EXPECT_EQ(selected(), " 1 " + kMu + "F");
  // The limit replaces even a combination the catalogue does not offer.
  f().CK_Comm.setValue(1);
  pick(f().CB_Case, "05");
  EXPECT_EQ(selected(), " 12 " + kMu + "F");
}

// The catalogue check tries every value the list can show, whatever the
// dielectric and tolerance.
TEST_F(CapList, ShowsOnlyValuesTheCatalogueCheckTries) {
  for (const std::string& dielectric : entries(f().CB_Dielectric)) {
    pick(f().CB_Dielectric, dielectric);
    for (const std::string& tolerance : entries(f().CB_Tolerance)) {
      pick(f().CB_Tolerance, tolerance);
      const auto& s = gSelection;
      const std::vector<double> tried = authoring::OfferedValues(
          {s.SeriesIndex, s.CaseIndex, s.DielectricIndex, s.VoltageIndex}, 0.3e-6, 4.7);
      for (std::string entry : listFor(0.3e-6, 4.7)) {
        const double uf = LeadingNumber(CapTextToMicrofarads(entry));
        EXPECT_TRUE(std::any_of(tried.begin(), tried.end(),
                                [uf](double v) { return std::abs(v - uf) <= 1e-12 * v; }))
            << dielectric << " " << tolerance << ":" << entry;
      }
    }
  }
}

TEST_F(CapList, FivePercentSeriesChoice) {
  // WB, case 01, C0G at 2000 V: 120 pF to 820 pF in one decade: E12.
  pick(f().CB_Type, "WB");
  pick(f().CB_Volt, "2000");
  pick(f().CB_Tolerance, "+/-5%");
  EXPECT_EQ(entries(f().CB_Cap), withUnit({" 120", " 150", " 180", " 220", " 270", " 330", " 390",
                                           " 470", " 560", " 680", " 820"},
                                          " pF"));
  // At 1000 V, 100 pF to 10 nF: E24 in the lowest and highest decades.
  pick(f().CB_Volt, "1000");
  pick(f().CB_Tolerance, "+/-5%");
  const Texts list = entries(f().CB_Cap);
  EXPECT_EQ(list.size(), 24u + 24 + 1);
  EXPECT_EQ(list[1], " 110 pF");
  EXPECT_EQ(list[25], " 1.1 nF");
  EXPECT_EQ(list.back(), " 10 nF");
  // PJ uses E12 in the lowest and highest decades, E24 between them.
  pick(f().CB_Type, "PJ");  // case 41, C0G, 50 V: 1 nF to 100 nF
  pick(f().CB_Tolerance, "+/-5%");
  EXPECT_EQ(f().CB_Cap.listCount(), 12 + 24 + 1);
}

TEST_F(CapList, StyleLimitsByCaseFamily) {
  const std::pair<int, int> expected[] = {{1, 130}, {51, 130}, {91, 130}, {2, 200},  {52, 200},
                                          {3, 90},  {93, 90},  {4, 36},   {54, 36},  {5, 12},
                                          {95, 12}, {6, 400},  {56, 400}, {7, 0},    {57, 0},
                                          {41, 0},  {100, 0},  {109, 0},  {0, 0}};
  for (auto [caseIndex, limit] : expected) {
    gSelection.CaseIndex = static_cast<int16_t>(caseIndex);
    EXPECT_EQ(StyleCapLimit(), limit) << caseIndex;
  }
}

TEST_F(CapList, EmptyFixedListSelectsNothing) {
  pick(f().CB_Type, "BW");
  gUiState.VoltChangeByDielectric = 1;
  f().CB_Volt.clear();
  f().CB_Volt.addItem("200", 4);
  f().CB_Volt.setText("200");
  gUiState.VoltChangeByDielectric = 0;
  int clicks = 0;
  f().CB_Cap.onClick = [&] { ++clicks; };
  FillCapacitanceList();
  EXPECT_EQ(f().CB_Cap.listCount(), 0);
  EXPECT_EQ(f().CB_Cap.listIndex(), -1);
  EXPECT_EQ(clicks, 0);
}

class CapEntry : public CapList {};

TEST_F(CapEntry, PicofaradEntryIsShownInMicrofarads) {
  f().CK_ManCap.setValue(1);
  EXPECT_TRUE(f().T_Capacitance.visible());
  EXPECT_FALSE(f().CB_Cap.visible());
  EXPECT_EQ(f().Frame4.caption(), "Capacitance (" + kMu + "F)");
  // A whole value in picofarads is rewritten when the box is left, never
  // while typing goes on.
  const std::pair<const char*, const char*> cases[] = {
      {"100P", "0.0001"}, {"10p", "1E-05"},  {"2.5e3p", "0.0025"}, {"0.1p", "1E-07"},
      {"100 pF", "0.0001"}, {"4.7\u00A0PF", "4.7E-06"}, {"47", "47"}, {"4p7", "4p7"},
      {"47pF pF", "47pF pF"}, {"1n8pF", "1n8pF"},
      // Only a positive value that stays the same in microfarads is
      // rewritten: the message that follows names what was typed.
      {"P", "P"}, {"0p", "0p"}, {"-0 p", "-0 p"}, {"-5 pF", "-5 pF"}, {"1e-320 p", "1e-320 p"},
      {"4.9e-324 p", "4.9e-324 p"}, {"1e400p", "1e400p"}, {"47nF", "47nF"}};
  for (auto [typed, shown] : cases) {
    f().Label8.setCaption(kMu);
    f().T_Specs[1].setText("42");
    gChip.NonStandardDesign = 1;
    f().T_Capacitance.setFocus();
    f().T_Capacitance.setText(typed);
    EXPECT_EQ(f().T_Capacitance.text(), typed);
    EXPECT_EQ(f().Label8.caption(), kMu) << typed;
    f().CK_ManCap.setFocus();
    EXPECT_EQ(f().T_Capacitance.text(), shown) << typed;
    EXPECT_EQ(f().T_Specs[1].text(), "") << typed;
    EXPECT_EQ(gChip.NonStandardDesign, 0);
    EXPECT_EQ(f().Label8.caption(), std::string(typed) == shown ? kMu : "p") << typed;
  }
  f().CK_ManCap.setValue(0);
  EXPECT_FALSE(f().T_Capacitance.visible());
  EXPECT_TRUE(f().CB_Cap.visible());
  EXPECT_EQ(f().Frame4.caption(), "Capacitance");
  EXPECT_EQ(f().T_Capacitance.text(), "47nF");
}

TEST_F(CapEntry, ManualCapAndPickClearResultsAndDesignAfresh) {
  // Each of these puts another capacitance in use.
  const std::function<void()> changes[] = {
      [&] { pick(f().CB_Cap, " 10 nF"); },
      [&] { f().CK_ManCap.setValue(1); },
      [&] { f().CK_ManCap.setValue(0); },
  };
  for (const auto& change : changes) {
    f().T_Specs[1].setText("42");
    f().Command2.setEnabled(true);
    gChip.NonStandardDesign = 1;
    gChip.FewEffectivesAccepted = 1;
    change();
    EXPECT_EQ(gChip.NonStandardDesign, 0);
    EXPECT_EQ(gChip.FewEffectivesAccepted, 0);
    EXPECT_EQ(f().T_Specs[1].text(), "");
    EXPECT_FALSE(f().Command2.enabled());
  }
}

TEST_F(CapEntry, MilPrf123FieldsClearResultsOnPickOrOnTyping) {
  auto cleared = [&](auto action) {
    f().T_Specs[1].setText("42");
    action();
    return f().T_Specs[1].text().empty();
  };
  EXPECT_TRUE(cleared([&] { f().CB_Type_T.setListIndex(0); }));
  EXPECT_FALSE(cleared([&] { f().CB_Type_T.setText("J"); }));
  EXPECT_TRUE(cleared([&] { f().CB_Type_V.setListIndex(1); }));
  EXPECT_FALSE(cleared([&] { f().CB_Type_V.setText("B"); }));
  EXPECT_TRUE(cleared([&] { f().Combo1.setListIndex(1); }));
  EXPECT_TRUE(cleared([&] { f().Combo2.setListIndex(0); }));
  EXPECT_FALSE(cleared([&] { f().Combo2.setText("BX"); }));
  EXPECT_TRUE(cleared([&] { f().CB_Type_L.setText("G"); }));
  gChip.NonStandardDesign = 1;
  EXPECT_TRUE(cleared([&] { f().T_Cap_c.setText("103"); }));
  EXPECT_EQ(gChip.NonStandardDesign, 0);
}

}  // namespace
}  // namespace quenta::test
