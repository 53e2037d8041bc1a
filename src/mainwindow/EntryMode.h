// The entry-mode switch of the main window: maker part-number entry.
#pragma once

namespace quenta {

// Maker part-number entry chosen: reloads the catalogue (resetting the
// selection to the first list entries), puts back the maker selection
// saved on entering MIL-PRF-123 entry when the window comes straight from
// there, and shows the maker panel in place of the military ones.
void OB_Part_Num_Click();

}  // namespace quenta
