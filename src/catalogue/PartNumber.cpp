#include "catalogue/PartNumber.h"

#include <cmath>

#include "catalogue/DesignState.h"

namespace quenta {

namespace {

struct CodeRow {
  double half;   // half a unit of the second digit, microfarads
  double limit;  // the row holds while u + half stays below this, microfarads
  double f2;     // scales u + half to the two significant digits
  char last;     // third character; 'R' marks the decimal-point row
};

constexpr CodeRow kCodeRows[] = {
    {0.00000005, 0.00001, 10000000, 'R'}, {0.0000005, 0.0001, 1000000, '0'},
    {0.000005, 0.001, 100000, '1'},       {0.00005, 0.01, 10000, '2'},
    {0.0005, 0.1, 1000, '3'},             {0.005, 1, 100, '4'},
    {0.05, 10, 10, '5'},                  {0.5, 100, 1, '6'},
    {5, 1000, 0.1, '7'},                  {50, 10000, 0.01, '8'},
    {500, 100000, 0.001, '9'},
};

template <std::size_t N>
std::string Letter(const std::array<std::string, N>& table, int index) {
  if (index < 1 || index > static_cast<int>(N)) return "?";
  return table[static_cast<std::size_t>(index - 1)];
}

}  // namespace

std::string CapacitanceCode(double capacitance) {
  // Microfarads. The nudge of one part in 10^12 lets a value that stands
  // for an exact half (0.0995 µF, typed and converted back and forth
  // between farads and microfarads) round up as halves do, instead of
  // falling a few bits short of the half and rounding down.
  const double u = capacitance * 1000000 * (1 + 1e-12);
  if (!(u >= 0)) return "###";
  for (const CodeRow& row : kCodeRows) {
    if (!(u + row.half < row.limit)) continue;
    // Both digits come from one cut of u + half, so they always agree. When
    // the product rounds up to 100 at a row's very limit, the value belongs
    // to the next row, as it does once rounded.
    const double digits = std::floor((u + row.half) * row.f2);
    if (digits >= 100) continue;
    const int n = static_cast<int>(digits);
    const char first = static_cast<char>('0' + n / 10);
    const char second = static_cast<char>('0' + n % 10);
    if (row.last == 'R') return {first, 'R', second};
    return {first, second, row.last};
  }
  return "###";
}

std::string ComposePartNumber(std::string_view seriesText, std::string_view caseText) {
  const int series = gSelection.SeriesIndex;
  std::string number(seriesText);
  if ((series >= 1 && series <= 13) || series == 23 || series == 25) {
    number += caseText;
  } else if (series == 24) {
    number += "V1";
  }
  number += Letter(gCodes.VoltCode, gSelection.VoltageIndex);
  number += Letter(gCodes.DielCode, gSelection.DielectricIndex);
  number += CapacitanceCode(gSelection.Capacitance);
  // The fixed-value series are made at +/-20 % only.
  if (series == 23 || series == 25) {
    number += "M";
  } else {
    number += Letter(gCodes.TolCode, gSelection.ToleranceIndex);
  }
  number += "...";
  return number;
}

}  // namespace quenta
