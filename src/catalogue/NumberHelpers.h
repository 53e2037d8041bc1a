#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/NumberText.h"

namespace quenta {

// Cuts a number to three significant digits toward zero, sign kept, before
// it is shown: 1234.5 gives 1234, 2.345 gives 2.34, -0.012345 gives
// -0.0123, 0 gives 0. Numbers of 100 and more keep their whole integer
// part. A single-precision argument is widened exactly first, so the float
// nearest 2.3 gives 2.29. Infinities and NaN come back unchanged.
double RoundSig3(double x);

// A number as the result panels show it: cut by RoundSig3, in its general
// text (FormatGeneral); blank when it is not finite.
std::string RoundSig3Text(double x);

// The same cut made on the decimal that a double stands for, its shortest
// text that reads back as the same double, rather than on its binary
// value: 4.6 (held as 4.5999999999999996) gives 4.6 where RoundSig3 gives
// 4.59. For a value worked out to be a round decimal, a step voltage say.
double RoundSig3Decimal(double x);
std::string RoundSig3DecimalText(double x);

// True when value is one of values.
constexpr bool IsOneOf(int value, std::initializer_list<int> values) {
  for (int v : values)
    if (v == value) return true;
  return false;
}

// Base-10 logarithm as ln(x) / ln(10) (1000 gives 2.9999999999999996, on
// which callers depend). NaN for zero and negative x; never throws.
double Log10(double x);

// Turns a capacitance text as the capacitance list shows it ("150 pF",
// "4.7 nF", "82 µF") into its microfarads, as text. The text is replaced by
// the result, which is also returned; the unchanged text is first kept in
// gSelection.CapTextOriginal. A microfarad text only loses its unit (the
// last three characters); pF and nF are converted. Texts that cannot be
// converted give a text that reads as 0.
std::string CapTextToMicrofarads(std::string& text);

// Reads a capacitance typed into a box that counts in microfarads (the
// manual box, the re-entry dialog's): one number, perhaps followed by its
// unit, with or without blanks between: "p" or "pF" for picofarads, "n" or
// "nF" for nanofarads, "u", "uF", "µ" or "µF" for microfarads, in any letter
// case ("47nF", "100 pF", "2.2", "47µ"). The Greek small mu reads as the
// micro sign and a no-break blank as a blank. On Ok microfarads holds the
// value in µF. Any other text is NotANumber ("47 mF", "47x"); a number
// beyond the double range is OutOfRange.
NumberStatus ReadTypedMicrofarads(std::string_view text, double& microfarads);

// The divisor of the unit a capacitance was typed with, as
// ReadTypedMicrofarads reads it: 1000000 for picofarads, 1000 for
// nanofarads, 1 for microfarads or no unit; 0 for any other text after the
// number.
double TypedUnitDivisor(std::string_view text);

// The picofarad shorthand of those boxes, for a text the user has finished
// typing: a whole value in picofarads (a number, perhaps blanks, then "p"
// or "pF" in any letter case) is rewritten as its microfarads ("100P" gives
// "0.0001", "10 pF" "1E-05"). Returns the box's new text, or nothing when
// the text stays: any other text ("4p7", "47nF", a lone "P"), and a value
// whose microfarads would not read back as the same positive capacitance
// ("0p", "-5 pF", "1e-320 p", a number too large to hold).
std::optional<std::string> PicofaradShorthand(const std::string& text);

}  // namespace quenta
