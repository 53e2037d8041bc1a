#include "mainwindow/Results.h"

#include "mainwindow/MainForm.h"
#include "mainwindow/UiState.h"

namespace quenta {

void ClearResults() {
  MainForm& f = F_QuentaMainForm();
  f.weight_tb[5].setText("");
  f.phase[0].setText("");
  f.T_TempSpecs[0].setText("");
  f.T_TempSpecs[1].setText("");
  f.T_TempSpecs[0].setBackColor(ui::colors::white);
  f.T_TempSpecs[1].setBackColor(ui::colors::white);
  f.Label2.setVisible(false);
  f.L_NonStandard.setVisible(false);
  for (int i : {3, 4, 5, 6}) f.T_TempSpecs[i].setBackColor(ui::colors::white);
  // The internal temperature box keeps its colour: the temperature check
  // owns it.
  for (int i : {3, 2, 4, 5, 6}) f.T_TempSpecs[i].setText("");
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
  if (gUiState.InvalidCombination != 0) {
    gUiState.InvalidCombination = 0;
    f.Label3.setVisible(true);
  } else {
    f.Label3.setVisible(false);
  }
}

}  // namespace quenta
