#include "catalogue/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>

namespace quenta {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the number at the start of text ([sign] digits [. digits]
// [E [sign] digits]), 0 when the text does not start with one. An
// exponent marker not followed by digits is not part of the number.
std::size_t ScanNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

// The value of a text of the form [sign] digits [. digits], with at least
// one digit and nothing else, whose digits read as a whole number stay
// within 2^53 and that has at most 22 decimals: that whole number and the
// power of ten are exact doubles, so one division gives the correctly
// rounded value, as the full conversion would. Most numbers typed or read
// from the catalogue files are such. False for any other text.
bool ConvertShortDecimal(std::string_view text, double& value) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.size() > 19) return false;  // keeps the whole number below from overflowing
  std::uint64_t whole = 0;
  std::size_t digits = 0;
  std::size_t decimals = 0;
  bool point = false;
  for (char c : text) {
    if (IsDigit(c)) {
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
      ++digits;
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (digits == 0 || whole > kExactLimit || decimals >= std::size(kPowersOfTen)) return false;
  const double magnitude = static_cast<double>(whole) / kPowersOfTen[decimals];
  value = negative ? -magnitude : magnitude;
  return true;
}

// Converts a text that ScanNumber accepted in full. A magnitude beyond the
// double range gives an infinity and returns false; one below it gives 0.
bool ConvertNumber(std::string_view number, double& value) {
  if (ConvertShortDecimal(number, value)) return true;
  bool negative = false;
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
    negative = number[0] == '-';
    number.remove_prefix(1);
  }
  double magnitude = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitude,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Overflow or underflow: decided by the decimal exponent of the first
    // significant digit.
    const std::size_t ePos = std::min(number.find_first_of("eE"), number.size());
    const std::string_view mantissa = number.substr(0, ePos);
    const long long integerDigits =
        static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()));
    long long power = 0;
    long long k = 0;
    for (char c : mantissa) {
      if (c == '.') continue;
      if (c != '0') {
        power = integerDigits - 1 - k;
        break;
      }
      ++k;
    }
    long long exponent = 0;
    if (ePos < number.size()) {
      std::size_t j = ePos + 1;
      const bool expNegative = number[j] == '-';
      if (number[j] == '+' || number[j] == '-') ++j;
      for (; j < number.size(); ++j) {
        if (exponent < 1000000) exponent = exponent * 10 + (number[j] - '0');
      }
      if (expNegative) exponent = -exponent;
    }
    if (power + exponent > 0) {
      value = negative ? -std::numeric_limits<double>::infinity()
                       : std::numeric_limits<double>::infinity();
      return false;
    }
    magnitude = 0;
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FormatGeneral(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (value == 0) return "0";

  // Fifteen significant digits, correctly rounded: "d.dddddddddddddde+XX".
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, 14);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t ePos = text.find('e');
  std::string digits;
  for (char c : text.substr(0, ePos)) {
    if (c != '.') digits += c;
  }
  const int exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = value < 0 ? "-" : "";
  if (exponent >= -4 && exponent <= 14) {
    if (exponent >= 0) {
      const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= integerDigits) {
        out += digits;
        out.append(integerDigits - digits.size(), '0');
      } else {
        out += digits.substr(0, integerDigits);
        out += '.';
        out += digits.substr(integerDigits);
      }
    } else {
      out += "0.";
      out.append(static_cast<std::size_t>(-exponent - 1), '0');
      out += digits;
    }
    return out;
  }
  out += digits[0];
  if (digits.size() > 1) {
    out += '.';
    out += digits.substr(1);
  }
  out += exponent < 0 ? "E-" : "E+";
  const int magnitude = std::abs(exponent);
  if (magnitude < 10) out += '0';
  out += std::to_string(magnitude);
  return out;
}

std::string FormatFixed(double value, int decimals) {
  // Room for the 309 integer digits of the largest double, sign, point
  // and decimals.
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return FormatGeneral(value);
  return std::string(buffer, result.ptr);
}

std::string_view LeadingNumberText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text.substr(0, ScanNumber(text));
}

double LeadingNumber(std::string_view text) {
  const std::string_view number = LeadingNumberText(text);
  if (number.empty()) return 0;
  double value = 0;
  ConvertNumber(number, value);
  return value;
}

bool NumberUnfinished(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  if (text.empty() || IsDigit(text.back())) return false;
  // One more digit makes the whole text a number.
  const std::string completed = std::string(text) + '0';
  return ScanNumber(completed) == completed.size();
}

NumberStatus ParseWholeNumber(std::string_view text, double& value) {
  if (ConvertShortDecimal(text, value)) return NumberStatus::Ok;
  text = TrimBlanks(text);
  if (text.empty() || ScanNumber(text) != text.size()) return NumberStatus::NotANumber;
  return ConvertNumber(text, value) ? NumberStatus::Ok : NumberStatus::OutOfRange;
}

}  // namespace quenta
