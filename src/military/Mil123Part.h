// MIL-PRF-123 entry: the part identification number composed from the six
// boxes of the MIL-PRF-123 panel, checked against the capacitance codes of
// its slash sheet and characteristic, and turned into the design state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quenta {

// The MIL-PRF-123 part in work: what the last decoding found.
struct Mil123State {
  // The codes the chosen slash sheet and characteristic offer, in order;
  // empty when either text matched nothing.
  std::vector<std::string> Mil123CapCodes;
  // The matched code; empty when the code box holds none of the list.
  std::string Mil123CapCode;
  // "BOTH", "HIGH" (voltage letter "C" only) or "LOW" ("B" only).
  std::string Mil123TolBand;
  // The tolerance letters the code allows; "N" fills unused places.
  std::string Mil123Tol1, Mil123Tol2, Mil123Tol3;
  // The tolerance letter of the PIN, also printed by the report.
  std::string Mil123Tol;
  // What the report prints for the decoded part: its rated voltage ("50"
  // or "100") and dielectric ("C0G" or "X7R").
  std::string ReportVoltage;
  std::string ReportDielectric;
};

extern Mil123State gMil123;

// One slash sheet: its list text's first three characters and the chip
// it designs as.
struct Mil123Slash {
  const char* slash;
  int16_t series;
  int16_t caseIndex;
  const char* size;
};
const std::vector<Mil123Slash>& Mil123Slashes();

// The codes a slash sheet offers with a characteristic ("BP" or "BX");
// empty for anything else.
const std::vector<std::string>& Mil123Codes(const std::string& slash,
                                            const std::string& characteristic);

// The capacitance text of a code, its unit after one blank: "1R5" gives
// "1.5 pF", "472" gives "4.7 nF", "105" gives "1 uF".
std::string Mil123CapacitanceText(const std::string& code);

// Decodes the MIL-PRF-123 panel for the calculation. A valid part sets the
// series, case, voltage, dielectric and temperature limits, the capacitance
// text and the maker part number text, corrects the voltage and tolerance
// boxes where the code demands other letters, shows the PIN in T_Mil_Prf
// and hides Label4. A code the sheet and characteristic do not offer, or a
// sheet, characteristic, voltage or termination text that matches none of
// its list, shows Label4 ("Invalid MIL-PRF-123 Combination"), empties
// T_Mil_Prf and clears the results.
void HandleMil123Part();

}  // namespace quenta
