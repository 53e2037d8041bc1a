// The results panel of the main window.
#pragma once

namespace quenta {

// Blanks every result box, restores the unit-less captions, hides the
// status labels of the last calculation and the voltage-coefficient panel,
// and disables Print, Graph and Design. Shows Label3 when the last
// capacitance check found an invalid combination (and resets that flag),
// hides it otherwise. Raises no handler.
void ClearResults();

}  // namespace quenta
