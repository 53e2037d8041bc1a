#include "catalogue/NumberHelpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <utility>

#include "catalogue/DesignState.h"
#include "catalogue/NumberText.h"
#include "catalogue/TextChars.h"

namespace quenta {

double RoundSig3(double x) {
  if (x == 0) return 0;
  if (!std::isfinite(x)) return x;
  const bool negative = x < 0;
  const double a = std::fabs(x);

  // Digits before the decimal point; 0 or negative below 1.
  int digits = static_cast<int>(std::floor(std::log(a) / std::log(10.0))) + 1;
  if (digits > 3) digits = 3;

  // The scale factor stays in double precision, so magnitudes far below
  // 1E-07 are cut as well. Subnormal magnitudes need 10^(3 - digits)
  // beyond the double range; they are scaled in two steps.
  const int power = 3 - digits;
  double r;
  if (power <= 300) {
    const double scale = std::pow(10.0, power);
    r = std::floor(a * scale) / scale;
  } else {
    const double first = 1e300;
    const double second = std::pow(10.0, power - 300);
    r = std::floor(a * first * second) / second / first;
  }
  return negative ? -r : r;
}

std::string RoundSig3Text(double x) {
  const double cut = RoundSig3(x);
  return std::isfinite(cut) ? FormatGeneral(cut) : std::string();
}

double RoundSig3Decimal(double x) {
  if (x == 0 || !std::isfinite(x)) return x;
  // The shortest digits, "-4.6e+00", cut after the third significant
  // digit or at the decimal point, whichever comes later.
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::scientific).ptr;
  const std::string_view shortest(text, static_cast<std::size_t>(end - text));
  const std::size_t e = shortest.find('e');
  const int exponent = std::atoi(std::string(shortest.substr(e + 1)).c_str());
  std::string digits;
  for (char c : shortest.substr(0, e))
    if (c >= '0' && c <= '9') digits += c;
  const auto keep = static_cast<std::size_t>(std::max(3, exponent + 1));
  if (digits.size() > keep) digits.resize(keep);
  std::string cut(x < 0 ? "-" : "");
  cut.append(1, digits[0]).append(".").append(digits, 1).append("e").append(std::to_string(exponent));
  return LeadingNumber(cut);
}

std::string RoundSig3DecimalText(double x) {
  const double cut = RoundSig3Decimal(x);
  return std::isfinite(cut) ? FormatGeneral(cut) : std::string();
}

double Log10(double x) {
  if (!(x > 0)) return std::numeric_limits<double>::quiet_NaN();
  return std::log(x) / std::log(10.0);
}

std::string CapTextToMicrofarads(std::string& text) {
  gSelection.CapTextOriginal = text;
  if (CharCount(text) < 3) {
    text.assign(1, '0');
    return text;
  }
  const std::string unit = RightChars(text, 2);
  const std::string number = DropRightChars(text, 3);
  double divisor = 0;
  if (unit == "pF") {
    divisor = 1000000;
  } else if (unit == "nF") {
    divisor = 1000;
  }
  if (divisor == 0) {
    // Any other unit means microfarads: the number text stays as it is.
    text = number;
    return text;
  }
  double value = 0;
  if (ParseWholeNumber(number, value) != NumberStatus::Ok) value = 0;
  text = FormatGeneral(value / divisor);
  return text;
}

namespace {

// The divisor that turns a number in this unit into microfarads; 0 for a
// text that is no unit of the typed boxes. No unit at all means µF, and so
// does the micro sign alone, as "u" alone does.
double UnitDivisor(std::string_view unit) {
  std::string lower(unit);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (lower.empty() || lower == "u" || lower == "uf" || lower == "\u00B5" || lower == "\u00B5f")
    return 1;
  if (lower == "n" || lower == "nf") return 1000;
  if (lower == "p" || lower == "pf") return 1000000;
  return 0;
}

// A typed capacitance cut into its number and its unit, with the characters
// people type for them read as the program's own: the Greek small mu (what
// Greek keyboards and character pickers give) as the micro sign, and a
// no-break blank (pasted from a datasheet) as a blank. The unit is what
// follows the number, blanks around it left out; the number is empty when
// the text does not start with one.
struct TypedCapacitance {
  std::string number;
  std::string unit;
};

TypedCapacitance SplitTypedCapacitance(std::string_view typed) {
  static const std::pair<std::string_view, std::string_view> kReadAs[] = {
      {"\u03BC", "\u00B5"}, {"\u00A0", " "}, {"\u202F", " "}};
  std::string read;
  read.reserve(typed.size());
  for (std::size_t i = 0; i < typed.size();) {
    bool replaced = false;
    for (const auto& [from, to] : kReadAs) {
      if (typed.substr(i, from.size()) == from) {
        read += to;
        i += from.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) read += typed[i++];
  }
  const std::string_view text = read;
  const std::string_view number = LeadingNumberText(text);
  std::string_view unit =
      number.empty() ? text
                     : text.substr(static_cast<std::size_t>(number.data() - text.data()) +
                                   number.size());
  const std::size_t first = unit.find_first_not_of(" \t");
  unit = first == std::string_view::npos
             ? std::string_view()
             : unit.substr(first, unit.find_last_not_of(" \t") - first + 1);
  return {std::string(number), std::string(unit)};
}

}  // namespace

NumberStatus ReadTypedMicrofarads(std::string_view text, double& microfarads) {
  const TypedCapacitance typed = SplitTypedCapacitance(text);
  if (typed.number.empty()) return NumberStatus::NotANumber;
  const double divisor = UnitDivisor(typed.unit);
  if (divisor == 0) return NumberStatus::NotANumber;
  double value = 0;
  const NumberStatus status = ParseWholeNumber(typed.number, value);
  microfarads = value / divisor;
  return status;
}

double TypedUnitDivisor(std::string_view text) {
  return UnitDivisor(SplitTypedCapacitance(text).unit);
}

std::optional<std::string> PicofaradShorthand(const std::string& text) {
  const TypedCapacitance typed = SplitTypedCapacitance(text);
  if (typed.number.empty() || UnitDivisor(typed.unit) != 1000000) return std::nullopt;
  double picofarads = 0;
  if (ParseWholeNumber(typed.number, picofarads) != NumberStatus::Ok) return std::nullopt;
  // Only a value that stays the same capacitance in microfarads is
  // rewritten: a number of 0 or less, or one so small that its microfarads
  // lose digits or vanish ("1e-320 p"), keeps the text as typed, so that
  // the message names what the user typed. (The text may differ from the
  // quotient in the last binary place: 0.1 pF reads back as 1E-07.)
  const double microfarads = picofarads / 1000000;
  if (!(picofarads > 0) || !std::isnormal(microfarads)) return std::nullopt;
  const std::string rewritten = FormatGeneral(microfarads);
  double readBack = 0;
  if (ParseWholeNumber(rewritten, readBack) != NumberStatus::Ok || !std::isnormal(readBack))
    return std::nullopt;
  return rewritten;
}

}  // namespace quenta
