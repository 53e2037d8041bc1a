#include "mainwindow/Results.h"

#include <string>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/PartNumber.h"

#include "mainwindow/MainForm.h"
#include "mainwindow/UiState.h"
#include "mainwindow/VoltagePanel.h"

namespace quenta {

void ClearResults() {
  MainForm& f = F_QuentaMainForm();
  f.weight_tb[5].setText("");
  f.phase[0].setText("");
  f.T_TempSpecs[0].setText("");
  f.T_TempSpecs[1].setText("");
  f.Label2.setVisible(false);
  f.L_NonStandard.setVisible(false);
  for (int i : {3, 2, 4, 5, 6}) f.T_TempSpecs[i].setText("");
  // A warning colour goes with its value: a blank box is black on white.
  for (int i = 0; i <= 6; ++i) {
    f.T_TempSpecs[i].setBackColor(ui::colors::white);
    f.T_TempSpecs[i].setForeColor(ui::colors::black);
  }
  for (int i : {0, 2, 3}) f.T_Specs[i].setText("");
  f.T_FreqSpecs[0].setText("");
  f.Label1[4].setCaption("ESR at Oper. Freq.");
  f.T_Specs[4].setText("");
  f.T_Specs[1].setText("");
  f.L_Specs[0].setCaption("Self-Resonance Freq.");
  f.Command4.setEnabled(false);
  f.Command3.setEnabled(false);
  f.Command2.setEnabled(false);
  f.Frame26.setVisible(false);
  ClearVoltagePanel();
  if (gUiState.InvalidCombination != 0) {
    gUiState.InvalidCombination = 0;
    f.Label3.setVisible(true);
  } else {
    f.Label3.setVisible(false);
  }
}

namespace {

// A number as the panel shows it: cut to three significant digits.
void Show(ui::TextBox& box, double value) { box.setText(RoundSig3Text(value)); }

}  // namespace

void BuildPartNumber() {
  MainForm& f = F_QuentaMainForm();
  f.T_Specs[0].setText(ComposePartNumber(f.CB_Type.text(), f.CB_Case.text()));
}

void ShowResults(float currentAtRise, float maxCurrent, float esrOperating, float esrAtResonance,
                 float esrHot, float esl, float thermalRes, float selfResonance,
                 int16_t allowedRise) {
  (void)esrHot;
  MainForm& f = F_QuentaMainForm();
  BuildPartNumber();

  const float power = currentAtRise * currentAtRise * esrOperating;
  const float maxPower = static_cast<float>(allowedRise) / thermalRes;

  // The ESR at the operating frequency in the unit that suits its size.
  const float milliohms = esrOperating * 1000;
  double esrShown = 0;
  const char* esrUnit = "";
  if (milliohms < 1000) {
    esrShown = milliohms;
    esrUnit = "mOhms";
  } else if (milliohms <= 1000000) {
    esrShown = esrOperating;
    esrUnit = "Ohms";
  } else if (milliohms <= 1000000000) {
    esrShown = esrOperating / 1000;
    esrUnit = "kOhms";
  } else {
    esrShown = static_cast<double>(esrOperating) / 1000000;
    esrUnit = "MOhms";
  }

  gResults.Weight =
      gResults.LeadCoef2 * (gResults.LengthScaled * gResults.WidthScaled) *
      (gChip.VolumeFactor * gResults.LeadCoef1);
  Show(f.weight_tb[5], gResults.Weight);
  Show(f.phase[0], gResults.Phase);

  Show(f.T_TempSpecs[0], currentAtRise);
  Show(f.T_TempSpecs[5], gResults.RippleVoltage);
  Show(f.T_TempSpecs[1], power);
  if (maxCurrent == -1) {
    f.T_TempSpecs[3].setBackColor(ui::colors::red);
    f.T_TempSpecs[4].setBackColor(ui::colors::lightGrey);
    f.T_TempSpecs[6].setBackColor(ui::colors::lightGrey);
    f.T_TempSpecs[3].setText("");
  } else {
    for (int i : {3, 4, 6}) f.T_TempSpecs[i].setBackColor(ui::colors::white);
    Show(f.T_TempSpecs[3], maxCurrent);
  }
  Show(f.T_TempSpecs[6], gResults.RippleVoltageShown);
  Show(f.T_TempSpecs[4], maxPower);

  Show(f.T_Specs[2], esrAtResonance * 1000);
  Show(f.T_Specs[3], static_cast<double>(esl) * 1000000000);
  Show(f.T_FreqSpecs[0], esrShown);
  f.Label1[4].setCaption(std::string("ESR at Oper. Freq. (") + esrUnit + ")");
  Show(f.T_Specs[4], thermalRes);

  // The self-resonant frequency in the unit that suits its size.
  if (selfResonance <= 1000) {
    Show(f.T_Specs[1], selfResonance);
    f.L_Specs[0].setCaption("Self-Resonance Freq. (Hz)");
  } else if (selfResonance <= 1000000) {
    Show(f.T_Specs[1], selfResonance / 1000);
    f.L_Specs[0].setCaption("Self-Resonance Freq. (kHz)");
  } else {
    Show(f.T_Specs[1], static_cast<double>(selfResonance) / 1000000);
    f.L_Specs[0].setCaption("Self-Resonance Freq. (MHz)");
  }
}

void ShowCurrentWarnings(const CurrentWarnings& warnings) {
  MainForm& f = F_QuentaMainForm();
  for (int cell : {0, 5}) {
    ui::TextBox& box = f.T_TempSpecs[cell];
    box.setBackColor(warnings.overLimit ? ui::colors::red : ui::colors::white);
    box.setForeColor(warnings.overLimit ? ui::colors::white : ui::colors::black);
  }
  f.Label2.setVisible(warnings.excessiveVoltage);
}

}  // namespace quenta
