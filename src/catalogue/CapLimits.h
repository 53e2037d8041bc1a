// The capacitance limit checks: the selected capacitance held against the
// catalogue's maximum, and the re-entry asked for when one layer cannot
// hold it. Both ask the user through the re-entry dialog F_CapEntry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/CapEntry.h"

namespace quenta {

// The commercial upper capacitance limit in microfarads of the case-style
// family of a case (1, 51, 91; 2, 52, 92; ... 6, 56, 96); 0 for a case
// outside the six families.
int StyleCapLimitFor(int caseIndex);

// The capacitance the main window shows, as the too-large check reads it.
struct ShownCapacitance {
  bool manual = false;           // "Manual Cap" ticked: the typed box counts
  std::string typedText;         // the manual box: µF, or a unit typed behind
  std::string listedText;        // the pick-list's selected entry ("470 nF")
  bool commercialLimit = false;  // "Commercial" shown and ticked: the style limit holds
};

enum class CapTooLargeOutcome {
  Checked,    // the capacitance lies within the maximum (perhaps re-entered)
  Cancelled,  // the user cancelled the dialog
  NoMaximum,  // the selection lists no maximum: an invalid combination
  // The manual box holds no capacitance ("47 mF", "-47nF", an empty box):
  // nothing was checked, and Capacitance reads 0 or less.
  NotACapacitance,
};

struct CapTooLargeResult {
  CapTooLargeOutcome outcome = CapTooLargeOutcome::Checked;
  // After a series change (CapSearchAllRows False), for series 1 to 13: the
  // case list's entry of the smallest case that holds the capacitance,
  // which the window then selects.
  std::optional<int16_t> holdingCaseEntry;
};

// The calculation's capacitance step: reads the capacitance shown (the
// manual box, or the pick-list entry) into gSelection.Capacitance in farads
// and asks for a smaller value for as long as it lies above the catalogue
// maximum. The maximum is that of the selected case once a case has been
// chosen (CapSearchAllRows), else that of the highest listed case; the
// commercial style limit replaces it while that box counts. On Cancelled,
// Capacitance keeps the value read from the window. `asking` says whether
// a question the user has just declined is asked again.
CapTooLargeResult CheckCapTooLarge(const ShownCapacitance& shown,
                                   Asking asking = Asking::Always);

enum class CapTooSmallOutcome {
  // Military entry: the capacitance comes from the part number, so nothing
  // is asked; the part is an invalid combination of its entry mode.
  MilitaryPart,
  // The range admits no value: an invalid combination.
  NoAdmissibleValue,
  Cancelled,
  // gSelection.Capacitance holds the new value in farads: the caller
  // calculates again with it.
  Accepted,
};

// The chip design's re-entry when one layer cannot hold the capacitance:
// asks for a value above the one entered and at most the selected case's
// maximum ("Way Too Small!").
CapTooSmallOutcome CheckCapTooSmall(bool militaryEntry, Asking asking = Asking::Always);

}  // namespace quenta
