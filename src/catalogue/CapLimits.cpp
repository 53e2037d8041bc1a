#include "catalogue/CapLimits.h"

#include <cmath>
#include <string>

#include "catalogue/CapEntry.h"
#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"

namespace quenta {

namespace {

// The catalogue maximum in µF for the selection with this case; -1 (not
// offered) for indices outside the table.
double ListedMaximum(int caseIndex) {
  const DesignSelection& s = gSelection;
  if (!CapLimitTables::CapTable::Contains(s.SeriesIndex, caseIndex, s.DielectricIndex,
                                          s.VoltageIndex))
    return -1;
  return gCapLimits.MaxCapTable(s.SeriesIndex, caseIndex, s.DielectricIndex, s.VoltageIndex);
}

// The capacitance shown on the main window, in farads. A typed number too
// large to hold reads as 0, as a text that is no capacitance does: no
// results, and no dialog quoting an infinite value.
double ShownFarads(const ShownCapacitance& shown) {
  if (shown.manual) {
    double microfarads = 0;
    if (ReadTypedMicrofarads(shown.typedText, microfarads) != NumberStatus::Ok) return 0;
    const double typed = microfarads / 1000000;
    return std::isfinite(typed) ? typed : 0;
  }
  std::string text = shown.listedText;
  return LeadingNumber(CapTextToMicrofarads(text)) / 1000000;
}

// The capacitance read from the window, in µF, as the too-large message
// quotes it: in its general text form, or, for a typed number whose value in
// µF lies beyond the double range, the number as typed.
std::string EnteredMicrofaradsText(const ShownCapacitance& shown) {
  const double microfarads = gSelection.Capacitance * 1000000;
  if (std::isfinite(microfarads) || !shown.manual) return FormatGeneral(microfarads);
  return std::string(LeadingNumberText(shown.typedText));
}

// The lowest-numbered case from 1 to 99 whose maximum lies above the
// capacitance (a maximum equal to it does not count); 99 when none does.
int SmallestHoldingCase() {
  int best = 99;
  for (int c = 99; c >= 1; --c) {
    const double m = ListedMaximum(c) / 1000000;
    if (m > 0 && m > gSelection.Capacitance && c < best) best = c;
  }
  return best;
}

}  // namespace

int StyleCapLimitFor(int caseIndex) {
  switch (caseIndex) {
    case 1: case 51: case 91: return 130;
    case 2: case 52: case 92: return 200;
    case 3: case 53: case 93: return 90;
    case 4: case 54: case 94: return 36;
    case 5: case 55: case 95: return 12;
    case 6: case 56: case 96: return 400;
    default: return 0;
  }
}

CapTooLargeResult CheckCapTooLarge(const ShownCapacitance& shown, Asking asking) {
  CapTooLargeResult result;
  gSelection.Capacitance = ShownFarads(shown);

  // The case row: the chosen case, or while the case is still open the
  // highest listed one.
  int row = 0;
  if (gCapLimits.CapSearchAllRows) {
    row = gSelection.CaseIndex;
  } else {
    for (int c = 120; c >= 1; --c) {
      if (ListedMaximum(c) > 0) {
        row = c;
        break;
      }
    }
  }
  double maximum = ListedMaximum(row) / 1000000;
  if (shown.commercialLimit) maximum = StyleCapLimitFor(gSelection.CaseIndex) / 1000000.0;

  if (!(maximum > 0)) {
    result.outcome = CapTooLargeOutcome::NoMaximum;
    return result;
  }
  // The manual box must hold a capacitance: no value of 0 or less, and
  // nothing that reads as no number at all, is held against the maximum.
  if (shown.manual && !(gSelection.Capacitance > 0)) {
    result.outcome = CapTooLargeOutcome::NotACapacitance;
    return result;
  }

  const bool searchAllRows = gCapLimits.CapSearchAllRows;
  while (gSelection.Capacitance > maximum) {
    const std::string message =
        "You have entered a capacitance \r(" + EnteredMicrofaradsText(shown) +
        "\u00B5F ) that is too large for this part. Maximum listed capacitance for this part is " +
        FormatGeneral(maximum * 1000000) +
        "\u00B5F. Please enter a capacitance that is smaller (or equal to) the max value.";
    const CapEntryResult answer =
        ShowCapEntry(maximum * 1000000, 0, "Maximum Capacitance Exceeded!", message,
                     LowerBound::Inclusive, asking);
    if (answer != CapEntryResult::Accepted) {
      gCapLimits.CapSearchAllRows = searchAllRows;
      result.outcome = CapTooLargeOutcome::Cancelled;
      return result;
    }
    gSelection.Capacitance = gSelection.Capacitance / 1000000;
  }
  gCapLimits.CapSearchAllRows = searchAllRows;

  // A series just chosen: the case follows the capacitance.
  if (!gCapLimits.CapSearchAllRows) {
    const int best = SmallestHoldingCase();
    const int series = gSelection.SeriesIndex;
    if (series < 14 && CapLimitTables::LookupTable::Contains(best, series))
      result.holdingCaseEntry = gCapLimits.CaseLookup(best, series);
  }
  return result;
}

CapTooSmallOutcome CheckCapTooSmall(bool militaryEntry, Asking asking) {
  gChip.FewEffectivesAccepted = 0;

  // A military part's capacitance comes from its part number: a new value
  // would be replaced at once, so the part is reported as invalid.
  if (militaryEntry) return CapTooSmallOutcome::MilitaryPart;

  const double maximum = ListedMaximum(gSelection.CaseIndex);  // µF as listed
  const double entered = gSelection.Capacitance * 1000000;
  const std::string message =
      "You have entered a capacitance\r(" + FormatGeneral(entered) +
      "\u00B5F ) that is too small for this part. Maximum listed capacitance for this part is " +
      FormatGeneral(maximum) +
      "\u00B5F. Please enter a capacitance that is smaller (or equal to) the max value and "
      "larger than the one you just entered.";
  // Only a value above the one entered helps: the same value again would
  // come straight back here.
  switch (ShowCapEntry(maximum, entered, "Way Too Small!", message, LowerBound::Exclusive,
                       asking)) {
    case CapEntryResult::NoAdmissibleValue:
      return CapTooSmallOutcome::NoAdmissibleValue;
    case CapEntryResult::Cancelled:
      return CapTooSmallOutcome::Cancelled;
    case CapEntryResult::Accepted:
      break;
  }
  gSelection.Capacitance = gSelection.Capacitance / 1000000;
  return CapTooSmallOutcome::Accepted;
}

}  // namespace quenta
