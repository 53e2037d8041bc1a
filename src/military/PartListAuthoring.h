// Authoring of the shipped MIL-PRF-49470 part lists. Every record is a part
// the maker's own lists offer and the engine builds quietly, so that each
// PIN of a list designs without a dialog on both sheets:
// - a file holds the characteristics that offer its voltage letter (25 V:
//   X; 50 V and 100 V: X and P; 200 V: R and P; 500 V: Q and P);
// - the codes are the E12 values from 10 nF to 820 µF (multiplier digits 3
//   to 7), each once per characteristic and lead family ("N, L, or J" and
//   "A, B, or C");
// - a value goes to the lowest case digit d (1 to 6) whose cases "0d" and
//   "9d" of series KD both hold it within their catalogue limits at the
//   voltage and dielectric (a value no case holds is left out); its height
//   code follows the chips the engine designs for case "0d". Both cases
//   must design it quietly within five chips: a value that does not is a
//   problem of the catalogue.
// The generator writes the files; the part-list test checks that the
// shipped files are still what this produces.
#pragma once

#include <string>
#include <vector>

namespace quenta::authoring {

struct PartListFile {
  std::string name;  // "mil-prf-49470_25.dat" ...
  std::string text;  // one record a line, every field quoted
  int records = 0;
  // Values the catalogue offers that the engine does not build quietly
  // within five chips (left out); empty when every value holds.
  std::vector<std::string> problems;
};

// Derives the five part lists from the catalogue tables in force
// (gCapLimits and gDesignRules, as the catalogue loader leaves them).
std::vector<PartListFile> BuildPartLists();

}  // namespace quenta::authoring
