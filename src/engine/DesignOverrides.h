// The special-design table: constructions that replace the rule-based one
// for particular parts (the chip sizes in given voltage and capacitance
// ranges, the X7R formulations of most series, the large low-voltage
// leaded parts and two parts picked by their listed capacitance).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/EntryFilter.h"

namespace quenta {

// Applies the table to gChip (DielectricK, DielThickness, Mult, Cascades,
// MinEffectives, the design flags) and gCaseGeometry.EffArea for the
// selection in gSelection and the working capacitance in microfarads
// (single precision). What no row names keeps its value.
void ApplySpecialDesignTable(float workingCapacitanceUf);

namespace special_designs {

// How a row tests the capacitance. Bounds are in picofarads; each
// comparison takes the bound in microfarads rounded to single precision.
enum class CapTest : std::int8_t {
  Any,      // no capacitance test
  Below,    // below "from" (strict)
  Range,    // from "from" to "to", both ends included
  Above,    // above "from" (strict)
  From,     // from "from" upward, "from" included
  Exactly,  // equal to "from"
};

enum Flag : std::uint8_t { kNoFlag = 0, kF1 = 1, kF2 = 2 };

// One row of the chip-size table. Zero in K, t, M, C, A or MinEffectives
// means the row leaves that value alone; a row that sets nothing stops
// the search without changing anything.
struct Row {
  CapTest test = CapTest::Any;
  double fromPf = 0;
  double toPf = 0;
  EntryFilter mode = EntryFilter::Any;
  int k = 0;
  double t = 0;
  int m = 0;
  int c = 0;
  double a = 0;
  int minEffectives = 0;
  std::uint8_t flags = kNoFlag;
};

// The rows of one series, dielectric and group of voltages.
struct Group {
  int series = 0;
  int dielectric = 0;
  std::array<std::int8_t, 7> voltages{};  // zero-padded
  std::span<const Row> rows;
};

// Every group of the chip-size table.
std::span<const Group> ChipGroups();

// True when the capacitance (µF, single precision) passes the row's test.
bool CapacitanceMatches(const Row& row, float capacitanceUf);

}  // namespace special_designs

}  // namespace quenta
