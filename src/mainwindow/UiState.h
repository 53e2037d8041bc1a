// State of the main window that lives beside its controls: flags of the
// selection cascade, the hidden key sequence and the entry mode, and the
// maker selection kept while MIL-PRF-123 entry is in force.
#pragma once

#include <cstdint>
#include <string>

namespace quenta {

struct UiState {
  // Set by the too-large capacitance check when the selection offers no
  // capacitance at all; the next ClearResults shows Label3 and resets it.
  // True is -1.
  int16_t InvalidCombination = 0;
  // 1 while the dielectric handler rewrites the voltage list: the voltage
  // handler then does nothing.
  int16_t VoltChangeByDielectric = 0;
  // Progress of the hidden key sequence that reveals the Design button
  // (True is -1).
  int16_t HiddenModeStep1 = 0;
  int16_t HiddenModeStep2 = 0;
  // 1 while MIL-PRF-123 entry is in force.
  int16_t Mil123Mode = 0;
  // The maker selection saved on entering MIL-PRF-123 entry, put back when
  // maker entry is chosen again straight from it.
  std::string SavedTypeText;
  std::string SavedCaseText;
  std::string SavedVoltText;
  std::string SavedDielText;
  // The manual box's text (the manual entry itself is not put back) and
  // the capacitance list's pick, the one designed after the return.
  std::string SavedCapText;
  std::string SavedCapListText;
  std::string SavedTolText;
  int16_t SavedCommValue = 0;
  // The microfarads the picofarad shorthand last wrote into the manual
  // box: while the box holds them, the voltage panel counts in picofarads.
  std::string ShorthandText;
};

extern UiState gUiState;

}  // namespace quenta
