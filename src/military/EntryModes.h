// The two military options of the entry-mode switch, and the installation
// of the military entry into the main window.
#pragma once

namespace quenta {

// MIL-PRF-49470 entry chosen: the maker panel gives way to the
// MIL-PRF-49470 panel and the PIN line, the Commercial box is unticked and
// the results cleared. Coming straight from MIL-PRF-123 entry the PIN of
// the panel is calculated at once.
void OB_Mil_Prf_Click();

// MIL-PRF-123 entry chosen: the maker selection is saved (to be put back
// when maker entry is chosen again), and the MIL-PRF-123 panel and the PIN
// line take the maker panel's place. Nothing is calculated.
void OB_MIL123_Click();

// Makes the military entry part of the program: the calculation's two
// decoders and the report's MIL-PRF-123 rows, and, in every main window
// built from now on, the two option buttons enabled with their handlers
// and the characteristic list's handler.
void InstallMilitaryEntry();

}  // namespace quenta
