#include "engine/WindowInputs.h"

#include "mainwindow/MainForm.h"
#include "ui/Control.h"

namespace quenta {

bool Mil123EntrySelected() { return F_QuentaMainForm().OB_MIL123.value(); }

bool CommercialTicked() { return F_QuentaMainForm().CK_Comm.value() == ui::CheckBox::Checked; }

bool ManualCapTicked() { return F_QuentaMainForm().CK_ManCap.value() == ui::CheckBox::Checked; }

std::string ListedCapacitanceText() { return F_QuentaMainForm().CB_Cap.text(); }

}  // namespace quenta
