#include "catalogue/NumberHelpers.h"

#include <cmath>
#include <limits>

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

}  // namespace quenta
