#pragma once

#include <string>
#include <string_view>

namespace quenta {

// The three-character capacitance code of the maker's part number, from a
// capacitance in farads: two significant digits rounded half up and a
// power-of-ten digit ("104" for 0.1 µF), the range chosen after rounding
// (99.6 pF gives "101"); below 9.95 pF the whole picofarads, "R" and the
// tenths ("4R7"). "###" from 99,500 µF up, and for negative or NaN values,
// which have no code.
std::string CapacitanceCode(double capacitance);

// The maker's part number for the current selection (gSelection, gCodes):
// prefix, voltage letter, dielectric letter, capacitance code, tolerance
// letter and "...". seriesText and caseText are the texts the series and
// case lists show. An index without a letter in its code table gives "?"
// in that place.
std::string ComposePartNumber(std::string_view seriesText, std::string_view caseText);

}  // namespace quenta
