// Design mode: the Design button of the main window (revealed by the
// hidden key sequence) and the design window it opens, which shows the
// chip construction of the last calculation.
#pragma once

namespace quenta {

// Writes the chip construction just designed into the design window's
// boxes (the window is loaded for it, not shown).
void ShowChipDesign();

// Main window: shows the design window modally; returns when it is hidden.
void Command4_Click();

// Design window: on every activation, shows the five construction fields
// when a design exists, else the notice that there is none.
void F_QuentaDesignForm_Form_Activate();
// Design window, OK: hides it (it keeps its contents).
void F_QuentaDesignForm_Command1_Click();

}  // namespace quenta
