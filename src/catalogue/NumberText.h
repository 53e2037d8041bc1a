#pragma once

// Number texts used throughout the program. Both directions are locale
// independent: "." is always the decimal point, whatever the user's
// locale says.

#include <string>
#include <string_view>

namespace quenta {

// The general text form of a number written into a box or label without a
// format: at most 15 significant digits with trailing zeros dropped, which
// is the shortest text that reads back as the same number whenever 15
// digits suffice. Plain decimals for magnitudes from 0.0001 up to below
// 1E+15 ("0.5", "1234", "-0.00015"), otherwise a mantissa and a signed
// exponent of at least two digits ("1E-05", "1.5E+15", "2.5E-300").
std::string FormatGeneral(double value);

// A number with exactly `decimals` decimals, correctly rounded ("0.000"
// pattern for three): 70.7107 gives "70.711", 0.1 with two gives "0.10".
// The base of the program's fixed-point texts, which trim it as they need.
std::string FormatFixed(double value, int decimals);

// The leading number of a text, as typed numbers are read: blanks in front
// are skipped, then an optional sign, digits with an optional "." and an
// optional exponent ("E-06"); the rest of the text is ignored. A text
// without a leading number reads as 0. Too large a magnitude gives an
// infinity of the right sign, too small a one 0.
double LeadingNumber(std::string_view text);

// The text of that leading number as it stands ("1.5e308" of " 1.5e308 uF");
// empty when the text does not start with one.
std::string_view LeadingNumberText(std::string_view text);

// Whether the text is a number still being typed: the start of one that
// ends where a number cannot ("2.", ".", "-", "1e", "1e+"), so that the
// next digit may finish it. Blanks in front are skipped; an empty text,
// and any other text, is not one.
bool NumberUnfinished(std::string_view text);

enum class NumberStatus { Ok, NotANumber, OutOfRange };

// Reads a text that must be one decimal number as a whole, in the form
// LeadingNumber reads, with blanks allowed around it. On Ok the number is
// stored in value; a magnitude beyond the double range is OutOfRange, one
// below it reads as 0.
NumberStatus ParseWholeNumber(std::string_view text, double& value);

}  // namespace quenta
