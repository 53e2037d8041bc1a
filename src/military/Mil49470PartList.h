// The MIL-PRF-49470 part lists: one file per voltage letter in the program
// folder, seven text fields a record.
//
//   "M49470X01104KAN","0.10","50","BX","5","N, L, or J",".120"
//
// Field 1 is the part's PIN (characteristic at position 7, capacitance
// code at 10 to 12), fields 2 and 3 its capacitance in microfarads and its
// rated volts (not read), field 4 its characteristic ("BP" is the C0G
// dielectric, the others X7R-type), field 5 its case digit, field 6 the
// lead letters it is made with (position 1, 4 and 10: "N, L, or J" or
// "A, B, or C"), field 7 its height code (".120" to ".650").
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quenta {

// The part list of one voltage letter.
struct Mil49470List {
  const char* letter;      // "Z", "A", "B", "C", "E"
  const char* file;        // "mil-prf-49470_25.dat" ...
  int16_t voltageIndex;    // of the maker's voltage list
  char makerDigit;         // voltage digit of the maker part number
  const char* voltageText; // the maker's voltage list text, "25" ... "500"
};
const std::vector<Mil49470List>& Mil49470Lists();
const Mil49470List* FindMil49470List(const std::string& letter);

using PartListRecord = std::array<std::string, 7>;

// Reads a part list of the folder (its name matched without regard to
// case). A list that is missing or cannot be read, one that holds no
// record (nothing but blanks and line breaks), one that ends inside a
// record, and a record whose field 1 is shorter than 12 characters or has
// no three-digit code at 10 to 12, whose field 5 is not a digit 1 to 6 or
// whose field 7 is shorter than 4 characters throw a CatalogueFailure
// naming the file, the record and the field.
std::vector<PartListRecord> ReadMil49470PartList(const std::filesystem::path& folder,
                                                 std::string_view file);

}  // namespace quenta
