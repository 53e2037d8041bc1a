// Authoring of the shipped catalogue. The four catalogue files are derived
// from the construction itself, so that every offered value designs
// without a dialog: the design-rule rows fill what the built-in rules
// leave unset, the capacitance limits run from the smallest to the
// largest standard value the construction builds with no value between
// them that fails, and the case positions follow from what is offered.
// The generator writes the files; the catalogue test checks that the
// shipped files are still what this produces.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/ChipDesign.h"

namespace quenta::authoring {

struct Combination {
  int series = 0;
  int caseIndex = 0;
  int dielectric = 0;
  int voltage = 0;
  friend bool operator==(const Combination&, const Combination&) = default;
};

// Every combination the selection lists can show for a case with
// geometry, in series, case, dielectric and voltage order. Dashed marks
// combinations whose rule cell is all dashes: they are reachable but never
// offered.
struct Reachable {
  Combination combination;
  bool dashed = false;
};
std::vector<Reachable> ReachableCombinations();

// The values the dielectric choice gives a design: the dielectric
// constant (17 C0G, 475 X7R, 2050 Z5U, 36 N1500) and the thickness scale.
void SetDielectricConstants(int dielectric);

// One trial design of a combination at a capacitance, without any dialog.
struct Trial {
  ChipDesignOutcome outcome = ChipDesignOutcome::InvalidCombination;
  bool dialog = false;  // the design asked a question, showed a notice or stopped
  std::string dialogTitle;  // the title of that dialog
  int chips = 0;
  double effectives = 0;
  int minEffectives = 0;
  int allowedChips = 0;  // chips a stack of the case may hold
  // Designed without a dialog, with enough effectives.
  bool DesignsQuietly() const {
    return outcome == ChipDesignOutcome::Designed && !dialog && effectives >= minEffectives;
  }
  // ... and within the chips a stack of the case may hold.
  bool Passes() const { return DesignsQuietly() && chips <= allowedChips; }
  // Why the trial does not pass, in a few words; empty when it passes.
  std::string Fault() const;
};

// Designs the combination at capacitanceUf with the design-rule tables in
// force (gDesignRules), maker part-number entry, the pick-list showing
// listedText and the Commercial box as given. The main window's handlers
// are held off meanwhile; the design state is left as the design left it.
Trial TryDesign(const Combination& combination, double capacitanceUf, bool commercial = false,
                const std::string& listedText = "");

// The same trial in MIL-PRF-123 entry: the chip sizes take that entry's
// rules and rows (the combination's voltage is index 8 there).
Trial TryMil123Design(const Combination& combination, double capacitanceUf);

// The text the capacitance pick-list shows for a value in µF ("82 µF",
// "4.7 nF", "150 pF").
std::string ListedText(double capacitanceUf);

// The standard values from 0.1 pF to 8200 µF (E12) or 9100 µF (E24),
// ascending, in µF as their decimal texts read.
const std::vector<double>& E12Values();
const std::vector<double>& E24Values();

struct DesignRuleRow {
  int dielectric = 0;
  int voltage = 0;
  int commercial = 0;
  // As written in the file; the tables hold them in single precision.
  double t = 0;
  double m = 0;
  double covers = 0;
  double cascades = 0;
};

struct CapLimit {
  Combination combination;
  double minUf = -1;  // -1: not offered
  double maxUf = -1;
};

struct Catalogue {
  std::vector<DesignRuleRow> designRules;
  std::vector<CapLimit> limits;  // one per reachable combination
  std::array<std::array<int16_t, 23>, 126> caseLookup{};
  // Authoring constraints that the result breaks; empty when all hold.
  std::vector<std::string> problems;

  std::string DesignRuleFile() const;  // DESNPARA.DAT
  std::string MaxCapFile() const;      // CLCMXCAP.DAT
  std::string MinCapFile() const;      // CLCMinCAP.DAT
  std::string CaseLookupFile() const;  // LUKUPCAS.DAT
};

// The values the capacitance pick-list can offer between a combination's
// limits (µF), whatever tolerance is chosen, ascending: the limits
// themselves and the E24 values between them where the dielectric offers
// +/-5% (C0G and N1500), the E12 values elsewhere, and for +/-5% the half
// picofarad when the minimum reaches down to it.
std::vector<double> OfferedValues(const Combination& combination, double minUf, double maxUf);

// The offered values of series 1 to 22 that do not design quietly within
// the chips a stack of the case may hold, with the Commercial box ticked
// too where it is shown: one problem per combination, naming the values
// and why each fails. Empty when every offered value designs.
std::vector<std::string> OfferedValueProblems(const std::vector<CapLimit>& limits);

// The limits of every entry that the capacitance tables in force
// (gCapLimits) offer.
std::vector<CapLimit> LimitsInForce();

// Derives the whole catalogue. It loads its own design-rule rows into
// gDesignRules on the way and leaves them there.
Catalogue BuildCatalogue();

// The fixed capacitance lists of series 23 to 25 (µF, with their list
// texts) for a case code and voltage index; empty when there is none.
struct FixedValue {
  double uf;
  const char* text;
};
std::vector<FixedValue> FixedList(int series, int caseIndex, int voltage);

}  // namespace quenta::authoring
