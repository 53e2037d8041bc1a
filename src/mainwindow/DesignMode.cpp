#include "mainwindow/DesignMode.h"

#include <string>

#include "catalogue/DesignState.h"
#include "catalogue/NumberText.h"
#include "engine/ChipDesign.h"
#include "mainwindow/MainForm.h"

namespace quenta {

namespace {

// A construction has been computed: every one of its four numbers is set.
bool DesignExists() {
  const ChipDesign& c = gChip;
  return c.Chips > 0 && c.Effectives > 0 && c.ActiveLayerThick > 0 && c.Mult > 0;
}

}  // namespace

void ShowChipDesign() {
  DesignForm& form = F_QuentaDesignForm();
  form.Text1[0].setText(std::to_string(gChip.Chips));
  form.Text3.setText(std::to_string(gChip.Covers));
  form.Text1[1].setText(FormatGeneral(gChip.Effectives));
  form.Text1[2].setText(DielThicknessText());
  form.Text1[3].setText(std::to_string(gChip.Mult));
  form.Text1[4].setText(FormatChipThickness(gChip.ChipThickInch));
  form.Text1[5].setText(std::to_string(gChip.Cascades));
  form.Text1[6].setText(std::to_string(gChip.DielectricK));
  form.Text2.setText(FormatGeneral(gCaseGeometry.EffArea));
}

void Command4_Click() { F_QuentaDesignForm().show(ui::ShowMode::Modal); }

void F_QuentaDesignForm_Form_Activate() {
  DesignForm& d = F_QuentaDesignForm();
  const bool exists = DesignExists();
  d.Label2.setVisible(!exists);
  for (int i = 0; i <= 4; ++i) {
    d.Text1[i].setVisible(exists);
    d.Label1[i].setVisible(exists);
  }
}

void F_QuentaDesignForm_Command1_Click() { F_QuentaDesignForm().hide(); }

}  // namespace quenta
