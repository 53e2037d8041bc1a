// MIL-PRF-49470 entry: the letters each characteristic offers, and the
// lookup that turns the PIN of the panel into one of the maker's parts.
#pragma once

#include <string>
#include <vector>

#include "military/Mil49470PartList.h"

namespace quenta {

// The tolerance and voltage letters a characteristic offers, in list order.
struct Mil49470Characteristic {
  const char* letter;  // "X", "R", "Q", "P"
  std::vector<std::string> tolerances;
  std::vector<std::string> voltages;
};
const std::vector<Mil49470Characteristic>& Mil49470Characteristics();
const Mil49470Characteristic* FindMil49470Characteristic(const std::string& letter);

// The capacitance in microfarads, as the manual capacitance box shows it,
// of a code of two digits and a multiplier digit 3 to 7: "103" gives
// ".010", "155" gives "1.5", "107" gives "100".
std::string Mil49470MicrofaradText(const std::string& code);

// The characteristic list's Click: hides the series pictures and refills
// the tolerance and voltage lists with the letters of the characteristic
// picked, showing the first of each. A text that is no characteristic
// changes neither list.
void CB_Mil_Prf_Ch_Click();

// The lookup's state: the PIN and maker part number composed for each
// record that passed the lead filter, in file order.
struct Mil49470Record {
  std::vector<std::string> Mil49470Pins;
  std::vector<std::string> Mil49470MakerPns;
};
extern Mil49470Record gMil49470;

// Looks the PIN of the panel up in the part list of its voltage letter.
// A part that is found is written into the maker's selection lists and
// the manual capacitance box (whose handlers carry it into the design
// state), with the PIN, the maker part number, the datasheet button and
// the series picture shown. A panel text that its list does not offer, a
// PIN that no record matches, and a part that the maker's lists cannot
// show leave "Invalid MIL-PRF-49470 Combination" (L_Invalid_Mil) and clear
// the results; a part list that is missing, damaged or holds no record is
// also reported in a message box naming the file, its folder and the record.
void LookupMil49470Part();

// Reads every part list of the program folder, reporting each one that
// cannot be used as the lookup does. The lists are otherwise read only at
// a lookup; the start-up check reads them all to find a damaged install.
void CheckMil49470PartLists();

}  // namespace quenta
