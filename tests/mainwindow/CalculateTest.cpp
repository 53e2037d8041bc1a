// The calculation driver: its order of steps, its early ends and what each
// leaves on the main window, run on a started program over a small
// catalogue.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>

#include "catalogue/CapEntry.h"
#include "catalogue/DesignState.h"
#include "engine/Electrical.h"
#include "mainwindow/Calculate.h"
#include "mainwindow/MainWindowSession.h"
#include "mainwindow/UiState.h"

namespace quenta::test {
namespace {

// Records every change of the main window's mouse pointer.
struct PointerLog : ui::FormListener {
  std::vector<ui::MousePointer> changes;
  void formChanged(ui::Form& form, ui::FormProp prop) override {
    if (prop == ui::FormProp::Pointer) changes.push_back(form.mousePointer());
  }
};

class Calculation : public MainWindowSession {
 protected:
  void SetUp() override {
    MainWindowSession::SetUp();
    ASSERT_TRUE(start());
    SetMilitaryDecoders({});
    services.onRunModal = [this](ui::Form& form) {
      ++dialogs;
      auto& d = static_cast<CapEntryForm&>(form);
      dialogTitles.push_back(d.caption());
      if (answer) {
        answer(d);
      } else {
        d.userKey(27, 27);
      }
    };
  }
  void TearDown() override {
    SetMilitaryDecoders({});
    f().setListener(nullptr);
    MainWindowSession::TearDown();
  }

  // Every result box of the panel with its text.
  std::map<std::string, std::string> panel() {
    std::map<std::string, std::string> shown;
    for (ui::Control* c : f().controls()) {
      const std::string& n = c->name();
      if (n == "T_Specs" || n == "T_FreqSpecs" || n == "weight_tb" || n == "phase" ||
          n == "T_TempSpecs")
        shown[c->id()] = c->displayText();
    }
    shown["Label1(4)"] = f().Label1[4].caption();
    shown["L_Specs(0)"] = f().L_Specs[0].caption();
    return shown;
  }
  // No result is shown. The internal temperature is the temperature
  // check's, shown as soon as the run has got that far.
  bool panelBlank() {
    for (const auto& [id, text] : panel())
      if (id != "Label1(4)" && id != "L_Specs(0)" && id != "T_TempSpecs(2)" && !text.empty())
        return false;
    return true;
  }
  void manualCapacitance(const std::string& microfarads) {
    f().CK_ManCap.setValue(ui::CheckBox::Checked);
    f().T_Capacitance.setText(microfarads);
  }

  int dialogs = 0;
  std::vector<std::string> dialogTitles;
  std::function<void(CapEntryForm&)> answer;  // none: the user presses Escape
};

TEST_F(Calculation, ACompleteRunShowsTheResultsAndEnablesTheCommands) {
  PointerLog pointer;
  f().setListener(&pointer);
  Calculate();
  EXPECT_EQ(f().T_Specs[0].text(), "KD015A104K...");
  EXPECT_FALSE(f().T_Specs[1].text().empty());
  EXPECT_FALSE(f().T_TempSpecs[3].text().empty());
  EXPECT_EQ(f().T_TempSpecs[2].text(), "25");
  for (ui::CommandButton* b : {&f().Command2, &f().Command3, &f().Command4})
    EXPECT_TRUE(b->enabled()) << b->id();
  EXPECT_TRUE(f().Command6.visible());
  EXPECT_FALSE(f().L_NonStandard.visible());
  EXPECT_FALSE(f().Frame26.visible());  // C0G has no voltage coefficient panel
  EXPECT_EQ(gSelection.Frequency, 100000);
  EXPECT_EQ(gSelection.WorkFrequency, 100000);
  EXPECT_EQ(gResults.VoltageDerate, 0.5);
  EXPECT_EQ(gCurve.CurveVoltMax, 50);
  EXPECT_EQ(pointer.changes,
            (std::vector<ui::MousePointer>{ui::MousePointer::Hourglass, ui::MousePointer::Default}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(Calculation, AllowedRiseStaysWithinTheSeriesLimitOfAmbientPlusRise) {
  ElectricalWork w;
  gTemps.TempRiseMax = 50;
  gTemps.TempTotalMax = 200;
  gTemps.TempAmbient = 190;
  SetAllowedRise(w);
  EXPECT_EQ(w.AllowedRise, 10);
  EXPECT_EQ(w.MaxInternalTemp, 200);
  gTemps.TempAmbient = 200;
  SetAllowedRise(w);
  EXPECT_EQ(w.AllowedRise, 0);
  gTemps.TempTotalMax = 150;
  SetAllowedRise(w);
  EXPECT_EQ(w.AllowedRise, 0);  // never below 0
  EXPECT_EQ(w.MaxInternalTemp, 150);
  gTemps.TempAmbient = 25;
  SetAllowedRise(w);
  EXPECT_EQ(w.AllowedRise, 50);
  EXPECT_EQ(w.MaxInternalTemp, 75);
  gTemps.TempRiseMax = 20;
  SetAllowedRise(w);
  EXPECT_EQ(w.AllowedRise, 20);
  EXPECT_EQ(w.MaxInternalTemp, 45);
}

TEST_F(Calculation, SetsTheTemperatureLimitsOfTheSeries) {
  for (int series : {1, 6, 9, 12, 13, 14, 25}) {
    gSelection.SeriesIndex = static_cast<int16_t>(series);
    gTemps.TempRiseMax = 0;
    Calculate();  // the catalogue does not offer most of these: no results
    const bool hot = series == 12 || series == 13;
    EXPECT_EQ(gTemps.TempMax, hot ? 200 : 125) << series;
    EXPECT_EQ(gTemps.TempTotalMax, hot ? 200 : 150) << series;
    EXPECT_EQ(gTemps.TempMin, -55) << series;
    EXPECT_EQ(gTemps.TempRiseMax, series == 1 || hot ? 50 : 20) << series;
  }
}

TEST_F(Calculation, DeratingAndTheCurvesRatedVoltageByDielectric) {
  // The driver reads the indices; the catalogue offers none of these, so
  // each run ends at its capacitance check, after the derating step.
  gSelection.DielectricIndex = 2;
  gSelection.VoltageIndex = 15;
  Calculate();
  EXPECT_EQ(gResults.VoltageDerate, 0.25);
  EXPECT_EQ(gCurve.CurveVoltMax, 5000);

  gSelection.DielectricIndex = 3;
  gSelection.VoltageIndex = 8;  // beyond Z5U's rows: the rating stays
  Calculate();
  EXPECT_EQ(gResults.VoltageDerate, 0.25);
  EXPECT_EQ(gCurve.CurveVoltMax, 5000);
  gSelection.VoltageIndex = 7;
  Calculate();
  EXPECT_EQ(gCurve.CurveVoltMax, 500);

  gSelection.DielectricIndex = 4;
  gSelection.VoltageIndex = 16;  // no row
  Calculate();
  EXPECT_EQ(gResults.VoltageDerate, 0.5);
  EXPECT_EQ(gCurve.CurveVoltMax, 500);
  gSelection.VoltageIndex = 9;
  Calculate();
  EXPECT_EQ(gCurve.CurveVoltMax, 1000);
}

TEST_F(Calculation, AnInvalidMakerCombinationClearsThePanelAndSaysSo) {
  Calculate();
  ASSERT_FALSE(panelBlank());
  gCapLimits.MaxCapTable(1, 1, 1, 2) = -1;
  Calculate();
  EXPECT_TRUE(panelBlank());
  EXPECT_TRUE(f().Label3.visible());
  EXPECT_EQ(gUiState.InvalidCombination, 0);
  EXPECT_FALSE(f().Command2.enabled());
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);
}

TEST_F(Calculation, AFrequencyOrCapacitanceThatGivesNoPartGivesNoResults) {
  Calculate();
  f().T_Frequency.setText("fast");
  Calculate();
  EXPECT_TRUE(panelBlank());
  EXPECT_EQ(gSelection.Frequency, 100000);
  EXPECT_FALSE(f().Command3.enabled());
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);

  EXPECT_TRUE(messages.empty());

  // A manual capacitance that is none: no results either. A run the user
  // asked for names the text; one that a change started ends silently.
  f().T_Frequency.setText("100");
  for (const std::string text : {"0", "-2", "none", "47 mF", "-47nF", "4,7 pF", "1e999", ""}) {
    Calculate();
    messages.clear();
    manualCapacitance(text);
    Calculate();
    EXPECT_TRUE(panelBlank()) << text;
    EXPECT_TRUE(messages.empty()) << text;
    Calculate(RunRequest::ByUser);
    EXPECT_TRUE(panelBlank()) << text;
    EXPECT_FALSE(f().Command3.enabled()) << text;
    ASSERT_EQ(messages.size(), 1u) << text;
    EXPECT_EQ(messages[0].title, "Not a Capacitance");
    const std::string named = text.empty() ? "No capacitance is typed." : '"' + text + '"';
    EXPECT_TRUE(messages[0].text.starts_with(named)) << messages[0].text;
  }
  EXPECT_EQ(dialogs, 0);
}

TEST_F(Calculation, AnAcceptedNonStandardDesignIsKept) {
  Calculate();
  gChip.NonStandardDesign = 1;
  gChip.Effectives = 3;  // stands for the construction accepted earlier
  Calculate();
  EXPECT_EQ(gChip.Effectives, 3);
  EXPECT_TRUE(f().L_NonStandard.visible());
  EXPECT_TRUE(f().Command2.enabled());
}

TEST_F(Calculation, TooLargeACapacitanceIsReEnteredAndTheRunGoesOn) {
  manualCapacitance("0.33");  // the case lists up to 0.1 µF
  answer = [](CapEntryForm& d) {
    d.Text1.setText("0.047");
    d.B_CalcOK.click();
  };
  Calculate();
  EXPECT_EQ(dialogTitles, std::vector<std::string>{"Maximum Capacitance Exceeded!"});
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 4.7e-8);
  EXPECT_EQ(f().T_Specs[0].text(), "KD015A473K...");
  EXPECT_TRUE(f().Command2.enabled());
}

TEST_F(Calculation, ACancelledReEntryEndsTheRunWithoutResults) {
  Calculate();
  EXPECT_TRUE(f().Command2.enabled());
  gCapLimits.MaxCapTable(1, 1, 1, 2) = 0.01;  // the listed 100 nF is too large now
  Calculate();
  EXPECT_EQ(dialogs, 1);
  // Nothing was designed: no result of this run (its internal temperature)
  // or of the one before stays, and Print and Graph are off.
  EXPECT_TRUE(panelBlank());
  EXPECT_FALSE(f().Command2.enabled());
  EXPECT_FALSE(f().Command3.enabled());
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 1e-7);
  EXPECT_EQ(f().CK_ManCap.value(), ui::CheckBox::Unchecked);
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);
}

// Once the user has cancelled a re-entry, the runs that changes start
// clear the results without asking again; Calculate asks, and so does
// every run once the capacitance is typed anew. The same for both dialogs.
TEST_F(Calculation, AfterACancelOnlyTheUserIsAskedAgainUntilTheValueChanges) {
  for (const char* typed : {"0.33", "0.01"}) {  // too large, too small
    dialogs = 0;
    manualCapacitance(typed);
    Calculate(RunRequest::ByUser);
    EXPECT_EQ(dialogs, 1) << typed;
    Calculate();
    Calculate();
    EXPECT_EQ(dialogs, 1) << typed;
    EXPECT_TRUE(panelBlank()) << typed;
    EXPECT_FALSE(f().Command2.enabled()) << typed;
    Calculate(RunRequest::ByUser);
    EXPECT_EQ(dialogs, 2) << typed;
    f().T_Capacitance.setText("");
    manualCapacitance(typed);
    Calculate();
    EXPECT_EQ(dialogs, 3) << typed;
  }
}

TEST_F(Calculation, TooSmallACapacitanceShowsTheResultsOfTheNewValue) {
  // What the part shows when calculated at 0.05 µF directly.
  manualCapacitance("0.05");
  Calculate();
  const auto direct = panel();
  const auto directMessages = messages.size();
  ASSERT_EQ(direct.at("T_Specs(0)"), "KD015A503K...");

  manualCapacitance("0.01");  // less than one layer
  std::string proposal;
  answer = [&](CapEntryForm& d) {
    proposal = d.Text1.text();
    d.userKey(13, 13);
  };
  Calculate();
  EXPECT_EQ(dialogTitles, std::vector<std::string>{"Way Too Small!"});
  EXPECT_EQ(proposal, "0.05");
  EXPECT_EQ(panel(), direct);
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 5e-8);
  EXPECT_EQ(f().T_Capacitance.text(), "0.05");
  // The new value's own notice, once: the interrupted run did not go on.
  EXPECT_EQ(messages.size(), 2 * directMessages);
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);
}

TEST_F(Calculation, ACancelledTooSmallReEntryGivesNoResults) {
  manualCapacitance("0.01");
  Calculate();
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(panelBlank());
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 1e-8);
  EXPECT_EQ(f().T_Capacitance.text(), "0.01");
  EXPECT_EQ(f().mousePointer(), ui::MousePointer::Default);
}

TEST_F(Calculation, AnInvalidMilitaryPartChangesNothingButItsLabel) {
  Calculate();
  const auto before = panel();
  PointerLog pointer;
  f().setListener(&pointer);
  f().OB_MIL123.setValue(true);
  SetMilitaryDecoders({[this] { f().Label4.setVisible(true); }, {}});
  Calculate();
  EXPECT_TRUE(f().Label4.visible());
  EXPECT_EQ(panel(), before);
  EXPECT_TRUE(pointer.changes.empty());

  // Without its decoder an entry mode counts every part as invalid.
  f().OB_Mil_Prf.setValue(true);
  Calculate();
  EXPECT_TRUE(f().L_Invalid_Mil.visible());
  EXPECT_EQ(panel(), before);
  EXPECT_TRUE(pointer.changes.empty());
}

TEST_F(Calculation, AMil123PartKeepsItsCapacitanceTextAndItsRatedVoltage) {
  f().OB_MIL123.setValue(true);
  SetMilitaryDecoders({[this] {
                         f().Label4.setVisible(false);
                         gSelection.CapacitanceText = "100 nF";
                         gSelection.VoltageText = "600";
                         gCurve.CurveVoltMax = 50;
                       },
                       {}});
  f().Frame26.setVisible(false);
  Calculate();
  EXPECT_EQ(gSelection.CapacitanceText, "100 nF");
  EXPECT_EQ(f().Label8.caption(), "n");
  EXPECT_DOUBLE_EQ(gSelection.Capacitance, 1e-7);
  EXPECT_EQ(gTemps.TempRiseMax, 20);
  EXPECT_EQ(gCurve.CurveVoltMax, 50);  // not reset from the voltage index
  // The voltage current limit of a 50 V part, not of 600 V.
  EXPECT_NEAR(gResults.MaxCurrentVoltage, 50 * 0.5 / gResults.Impedance, 1e-9);
  // The curve shows nanofarads of the part.
  EXPECT_NEAR(gCurve.GraphY2[1], 100, 1);
  EXPECT_TRUE(f().Command2.enabled());
}

}  // namespace
}  // namespace quenta::test
