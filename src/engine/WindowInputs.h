// What the chip design reads of the main window: the entry mode, the
// Commercial and Manual Cap boxes and the capacitance pick-list.
#pragma once

#include <string>

namespace quenta {

// MIL-PRF-123 part-number entry is selected.
bool Mil123EntrySelected();
// The "Commercial" box is ticked (whether shown or not).
bool CommercialTicked();
// The "Manual Cap" box is ticked: the capacitance comes from the typed box.
bool ManualCapTicked();
// The text of the capacitance pick-list's selected entry ("82 µF").
std::string ListedCapacitanceText();

}  // namespace quenta
