// The entry-mode switch of the main window: maker part-number entry, and
// the three entry panels that the modes swap.
#pragma once

#include <string>
#include <vector>

namespace ui {
class ComboBox;
}

namespace quenta {

struct MainForm;

// Shows or hides one entry panel whole: the maker's selection lists with
// their frames (the Manual Cap box apart), the MIL-PRF-49470 panel, the
// MIL-PRF-123 panel.
void ShowMakerPanel(MainForm& f, bool visible);
void ShowMil49470Panel(MainForm& f, bool visible);
void ShowMil123Panel(MainForm& f, bool visible);

// Refills an editable list of the military panels with codes 1, 2, 3 ...
// and sets its text to the entry at startIndex (which raises only Change).
void FillMilitaryList(ui::ComboBox& list, const std::vector<std::string>& entries,
                      int startIndex = 0);

// Maker part-number entry chosen: reloads the catalogue (resetting the
// selection to the first list entries), puts back the maker selection
// saved on entering MIL-PRF-123 entry when the window comes straight from
// there, and shows the maker panel in place of the military ones.
void OB_Part_Num_Click();

}  // namespace quenta
