// The catalogue's built-in construction rules: for given series, case,
// voltage, dielectric, commercial flag and entry mode they fix the
// dielectric thickness, the layer multiplier, the cover layers and the
// cascades of the chip design, replacing what the design-rule file gave.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "engine/EntryFilter.h"

namespace quenta {

// Applies the built-in rules to gChip.DielThickness, Mult, Covers and
// Cascades for the selection in gSelection. A value no rule sets keeps
// what it held; nothing is reset on entry.
void SetDesignRules();

namespace design_rules {

// One cell of a rule table: thickness (mils) / multiplier / covers /
// cascades. A zero stands for a dash: that value is not set. A cell of
// four dashes sets nothing.
struct Cell {
  double t = 0;
  int m = 0;
  int covers = 0;
  int cascades = 0;
};

struct Column {
  std::int8_t voltage = 0;
  EntryFilter entry = EntryFilter::Any;
};

// A row of a table laid out by dielectric and case, with one cell per
// column of its table. Dielectric 0 means every dielectric.
struct CaseRow {
  std::int8_t dielectric = 0;
  std::string_view cases;
  std::array<Cell, 9> cells{};
};

struct CaseTable {
  std::string_view name;
  std::span<const Column> columns;
  std::span<const CaseRow> rows;
};

// A row of a table laid out by voltage, with cells for dielectrics 1 and 2.
struct VoltageRow {
  std::int8_t voltage = 0;
  Cell c0g;
  Cell x7r;
};

// Every case-laid table, for tests that check the tables' shape.
std::span<const CaseTable> AllCaseTables();

// The cell the built-in rules hold for a combination, or nothing when no
// table has one. A cell of four dashes is a combination the rules mark as
// not built.
std::optional<Cell> FindRuleCell(int series, int caseIndex, int voltage, int dielectric,
                                 bool commercial, bool mil123);

// Series whose rules start from one multiplier, three covers and one
// cascade before their table applies (7 and 9 to 13).
bool HasPreset(int series);

}  // namespace design_rules

}  // namespace quenta
