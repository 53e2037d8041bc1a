#include "mainwindow/Calculate.h"

#include <cmath>
#include <string>
#include <utility>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "catalogue/TextChars.h"
#include "engine/CapVoltage.h"
#include "engine/ChipDesign.h"
#include "engine/Electrical.h"
#include "engine/Inductance.h"
#include "engine/TempLimits.h"
#include "engine/Thermal.h"
#include "mainwindow/CapacitanceChecks.h"
#include "mainwindow/CapacitanceEntry.h"
#include "mainwindow/DesignMode.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/OperatingInputs.h"
#include "mainwindow/Results.h"
#include "mainwindow/UiState.h"
#include "mainwindow/VoltagePanel.h"

namespace quenta {

namespace {

constexpr int16_t kTrue = -1;

MilitaryDecoders& Decoders() {
  static MilitaryDecoders decoders;
  return decoders;
}

// Runs a decoder; without one the part counts as invalid.
void Decode(const std::function<void()>& decoder, ui::Label& invalidLabel) {
  if (decoder) {
    decoder();
  } else {
    invalidLabel.setVisible(true);
  }
}

void ShowVoltageCoefficientPanel(MainForm& f) {
  f.Frame26.setVisible(true);
  f.HScroll1.setValue(0);
}

// Ends a run without results: the panel is cleared (showing the invalid-
// combination notice when the flag is set) and the normal pointer returns.
void EndWithoutResults(MainForm& f) {
  ClearResults();
  f.setMousePointer(ui::MousePointer::Default);
}

}  // namespace

void SetMilitaryDecoders(MilitaryDecoders decoders) { Decoders() = std::move(decoders); }

void TakeEntryInputsFromWindow() {
  const MainForm& f = F_QuentaMainForm();
  gSelection.Mil123Entry = f.OB_MIL123.value();
  gSelection.CommercialTicked = f.CK_Comm.value() == ui::CheckBox::Checked;
  gSelection.ManualCapEntry = f.CK_ManCap.value() == ui::CheckBox::Checked;
  gSelection.ListedCapText = f.CB_Cap.text();
}

namespace {

// Counts the runs that reached the results, and all runs.
unsigned gRunsWithResults = 0;
unsigned gRunsStarted = 0;
// Depth of runs the user asked for, and of held calculations.
int gUserRuns = 0;
int gHeld = 0;

void CalculateRun() {
  MainForm& f = F_QuentaMainForm();
  DesignSelection& sel = gSelection;
  OperatingTemps& temps = gTemps;

  // A value in picofarads typed into the manual box is rewritten once the
  // typing is over; a run that starts with the box still focused (a scroll
  // bar used without taking the focus) is that moment too.
  if (f.OB_Part_Num.value() && f.CK_ManCap.value() == ui::CheckBox::Checked) {
    ApplyCapacitanceShorthand();
    FollowManualCapacitanceUnit();
  }

  // 1-3. The temperature limits of the series.
  SetSeriesTempLimits(sel.SeriesIndex);
  f.Command6.setVisible(true);

  // 4. MIL-PRF-123 entry: the part number gives the part.
  const bool mil123 = f.OB_MIL123.value();
  sel.Mil123Entry = mil123;
  if (mil123) {
    temps.TempRiseMax = 20;
    Decode(Decoders().HandleMil123Part, f.Label4);
    if (f.Label4.visible()) return;
    const std::string unit = RightChars(sel.CapacitanceText, 2);
    f.Label8.setCaption(unit == "pF" ? "p" : unit == "nF" ? "n" : "\u00B5");
    // Converted as a copy: the text keeps its unit for the curve's
    // capacitance display and for the panel.
    std::string text = sel.CapacitanceText;
    sel.Capacitance = LeadingNumber(CapTextToMicrofarads(text)) / 1000000;
  }

  // 5. MIL-PRF-49470 entry.
  if (f.OB_Mil_Prf.value()) {
    Decode(Decoders().LookupMil49470Part, f.L_Invalid_Mil);
    if (f.L_Invalid_Mil.visible()) return;
  }

  // 6. Voltage derating and the rated voltage of the curve.
  gResults.VoltageDerate = 0.5;
  switch (sel.DielectricIndex) {
    case 1:
    case 4:
      gResults.VoltageDerate = 0.5;
      if (!mil123) SetCurveVoltMax(sel.VoltageIndex, 15);
      break;
    case 2:
      gResults.VoltageDerate = 0.25;
      ShowVoltageCoefficientPanel(f);
      if (!mil123) SetCurveVoltMax(sel.VoltageIndex, 15);
      break;
    case 3:
      gResults.VoltageDerate = 0.25;
      ShowVoltageCoefficientPanel(f);
      if (!CheckShownCapacitance()) return;
      SetCurveVoltMax(sel.VoltageIndex, 7);
      break;
    default:
      break;
  }

  // 8. The rise the thermal current limit may use, within the series'
  // limit of ambient plus rise.
  ElectricalWork work;
  SetAllowedRise(work);

  // 9, 10. The operating frequency, typed in kilohertz. A run may start
  // while the box still holds what is being typed (a scroll bar takes no
  // focus): the typed value counts as leaving the box would hold it, within
  // the program's range and to the box's three decimals.
  f.setMousePointer(ui::MousePointer::Hourglass);
  double kilohertz = 0;
  if (ParseWholeNumber(f.T_Frequency.text(), kilohertz) != NumberStatus::Ok ||
      !std::isfinite(kilohertz)) {
    EndWithoutResults(f);
    return;
  }
  sel.Frequency = FrequencyAsLeft(kilohertz) * 1000;

  // 11.
  ShowTemperatureLimits(CheckWindowTemperatures());

  // 12. The capacitance shown, held against the catalogue.
  if (!mil123) {
    if (!CheckShownCapacitance()) {
      f.setMousePointer(ui::MousePointer::Default);
      return;
    }
    if (gUiState.InvalidCombination != 0) {
      EndWithoutResults(f);
      return;
    }
    // A capacitance re-entered in the dialog reaches the manual box, whose
    // change clears the results, the internal temperature of step 11 among
    // them: show it again for the run that goes on.
    if (f.T_TempSpecs[2].text().empty()) ShowTemperatureLimits(CheckWindowTemperatures());
  }
  if (!(sel.Capacitance > 0) || !std::isfinite(sel.Capacitance)) {
    EndWithoutResults(f);
    return;
  }

  // 13. The chip design, unless a non-standard one was accepted earlier.
  if (gChip.NonStandardDesign == 0) {
    TakeEntryInputsFromWindow();
    SetCapTooSmallHandler(ReenterTooSmallCapacitance);
    const ChipDesignOutcome outcome = CalcChipDesign();
    if (outcome != ChipDesignOutcome::Designed) {
      // Either there is no construction for this part (none at all, or
      // one effective, which the notice has refused), or the capacitance
      // re-entry has ended this run (a nested run with the new value has
      // shown its results, or the user cancelled).
      if (outcome == ChipDesignOutcome::InvalidCombination) gUiState.InvalidCombination = kTrue;
      if (gUiState.InvalidCombination != 0 || outcome == ChipDesignOutcome::TooFewEffectives)
        ClearResults();
      f.setMousePointer(ui::MousePointer::Default);
      return;
    }
    ShowChipDesign();
    f.L_NonStandard.setVisible(false);
  } else {
    f.L_NonStandard.setVisible(true);
  }

  // 14. Capacitance change against voltage; the panel starts over.
  CalcCapVoltageCurve(f.Label8.caption());
  ShowCapVoltageCurve();

  // 15. Thermal resistance and inductance.
  CalcThermalResistance();
  gResults.LeadInductance = 0;
  if (gResults.LeadFlag != 0) CalcLeadInductance();
  CalcEsl();
  SetTempCoefficients();

  // 16, 17. The electrical results and their warnings.
  CalcElectricalResults(work);
  ShowCurrentWarnings(SetCurrentWarnings());

  // 18.
  ShowResults(ToSingle(gResults.CurrentAtTempRise), ToSingle(gResults.MaxCurrent),
              ToSingle(work.EsrOperating), ToSingle(work.EsrAtResonance), ToSingle(work.EsrHot),
              ToSingle(gResults.Esl), ToSingle(gResults.ThermalRes),
              ToSingle(work.SelfResonantFrequency), work.AllowedRise);

  // 19, 20. A capacitance re-entered in the dialog cleared the results,
  // the voltage-coefficient panel among them: the results show it again.
  if (VoltageDependentDielectric(sel.DielectricIndex)) f.Frame26.setVisible(true);
  f.L_NonStandard.setVisible(gChip.NonStandardDesign != 0);
  f.Command3.setEnabled(true);
  f.Command2.setEnabled(true);
  f.Command4.setEnabled(true);
  f.setMousePointer(ui::MousePointer::Default);
  ++gRunsWithResults;
}

}  // namespace

bool Calculate(RunRequest request) {
  if (request == RunRequest::ByChange && gHeld > 0) return false;
  struct UserRun {
    bool on;
    explicit UserRun(bool asked) : on(asked) { gUserRuns += on; }
    ~UserRun() { gUserRuns -= on; }
  } userRun(request == RunRequest::ByUser);
  const unsigned before = gRunsWithResults;
  ++gRunsStarted;
  CalculateRun();
  return gRunsWithResults != before;
}

bool UserAskedRun() { return gUserRuns > 0; }

HeldCalculations::HeldCalculations() { ++gHeld; }
HeldCalculations::~HeldCalculations() { --gHeld; }

unsigned CalculationsStarted() { return gRunsStarted; }

}  // namespace quenta
