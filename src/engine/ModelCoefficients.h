// Case geometry of the selected series, case and cascade count: body
// length and width, effective area of the layer formula, thickness limits
// with the thickness-question switch, and the end allowance of the body.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quenta {

// Writes all of gCaseGeometry for gSelection's series and case and
// gChip.Cascades (a count of 1 or less counts as 1), and gResults.LeadFlag.
// A combination the geometry tables do not cover shows "Unrecoverable
// Error" and ends the program (ui::endProgram).
void SetModelCoefficients();

// The text of the "Unrecoverable Error" message for a series, case and
// cascade count.
std::string UnrecoverableErrorText(int series, int caseIndex, int cascades);

// True when the geometry tables cover the series, case and cascade count:
// SetModelCoefficients would not end the program for them.
bool HasCaseGeometry(int series, int caseIndex, int cascades);

namespace geometry {

// An effective area for one cascade count, with the values that change for
// that count only (zero: unchanged). An area of zero is a dash.
struct AreaCell {
  double area = 0;
  double length = 0;
  double width = 0;
  double maxThickness = 0;
  float termBand = 0;
};

// "as other counts": the count takes the row's value for other counts.
inline constexpr double kAsOther = -1;

}  // namespace geometry

}  // namespace quenta
