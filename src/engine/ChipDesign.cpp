#include "engine/ChipDesign.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "catalogue/CatalogueFiles.h"
#include "catalogue/DesignState.h"
#include "catalogue/NumberText.h"
#include "engine/DesignRules.h"
#include "engine/ModelCoefficients.h"
#include "engine/DesignOverrides.h"
#include "ui/Services.h"

namespace quenta {

namespace {

// Bounds of the two loops: a chip count or cover count this large means the
// construction can never fit, and the design is refused.
constexpr int kMaxChips = 32767;
constexpr int kMaxCovers = 32767;

std::function<void()>& CapTooSmallHandler() {
  static std::function<void()> handler;
  return handler;
}

// A design-rule table entry as a whole number (to nearest, halves to even);
// anything not a sensible count gives 0, which the design refuses.
int WholeNumber(float value) {
  const std::optional<int32_t> count = DesignRuleCount(value);
  return count && *count >= -1000000 && *count <= 1000000 ? *count : 0;
}

// Thickness of one active layer, inches. Worked in single precision while
// the dielectric thickness is still a design-rule table entry.
double ActiveLayerThickness() {
  if (gChip.DielThicknessIsSingle) {
    const float sheet = static_cast<float>(gChip.DielThickness) / 1000.0f;
    return static_cast<double>(sheet * static_cast<float>(gChip.Mult));
  }
  return gChip.DielThickness / 1000.0 * gChip.Mult;
}

// Thickness of the stack of one chip's layers and covers, inches.
double StackThickness() {
  const double e = gChip.Effectives;
  return e * gChip.ActiveLayerThick + gChip.Covers * 2.0 * (gChip.DielThickness / 1000.0) +
         (e + 1.0) * 0.0001;
}

// The construction can be built: every value the layer formula and the two
// loops rely on is present and positive.
bool UsableConstruction() {
  const ChipDesign& c = gChip;
  const CaseGeometry& g = gCaseGeometry;
  return std::isfinite(c.DielThickness) && c.DielThickness > 0 && c.Mult >= 1 &&
         c.Cascades >= 1 && c.Covers >= 0 && c.DielectricK > 0 &&
         std::isfinite(c.ThicknessScale) && c.ThicknessScale > 0 && std::isfinite(g.EffArea) &&
         g.EffArea > 0 && std::isfinite(g.MaxThickness) && std::isfinite(g.MinThickness);
}

// The general text of a single-precision number: the shortest digits that
// read back as that single ("1.6", not 1.60000002384186).
std::string SingleText(float value) {
  char buf[32];
  const auto result = std::to_chars(buf, buf + sizeof buf, value);
  double shortest = 0;
  std::from_chars(buf, result.ptr, shortest);
  return FormatGeneral(shortest);
}

}  // namespace

void SetCapTooSmallHandler(std::function<void()> handler) {
  CapTooSmallHandler() = std::move(handler);
}

std::string DielThicknessText() {
  if (!gChip.DielThicknessIsSingle) return FormatGeneral(gChip.DielThickness);
  return SingleText(static_cast<float>(gChip.DielThickness));
}

std::string ActiveLayerThickMilsText() {
  if (!gChip.DielThicknessIsSingle) return FormatGeneral(gChip.ActiveLayerThick * 1000);
  return SingleText(static_cast<float>(gChip.ActiveLayerThick) * 1000.0f);
}

std::string FormatChipThickness(double inches) {
  std::string text = FormatFixed(inches, 3);
  if (text.size() > 1 && text.back() == '0' && text.find('.') != std::string::npos) text.pop_back();
  return text;
}

int16_t WarnTooFewEffectives(int16_t minimum) {
  const double effectives = gChip.Effectives;
  // The count reads as a number with its sign place: " 3".
  std::string text = "There are too few effectives (";
  text += effectives >= 0 ? " " : "";
  text += FormatGeneral(effectives);
  text += ")\rThe design minimum is ";
  text += std::to_string(minimum);
  text += ".\r";
  text += effectives > 1 ? "Small allowances may be made."
                         : "Unfortunately we cannot work with only 1 effective.";
  ui::msgBox(text, ui::MsgButtons::Ok, kFewEffectivesTitle, ui::MsgIcon::None);
  if (effectives > 1) {
    gChip.FewEffectivesAccepted = 1;
    gChip.NonStandardDesign = 1;
  }
  return static_cast<int16_t>(effectives);
}

ChipDesignOutcome CalcChipDesign() {
  DesignSelection& sel = gSelection;
  ChipDesign& chip = gChip;
  CaseGeometry& geo = gCaseGeometry;

  // The design-rule file's values for (commercial flag, dielectric, voltage).
  const int c = sel.CommercialFlag;
  const int d = sel.DielectricIndex;
  const int v = sel.VoltageIndex;
  if (!Table<float, 2, 6, 19>::Contains(c, d, v)) return ChipDesignOutcome::InvalidCombination;
  chip.DielThickness = gDesignRules.DesignRule1(c, d, v);
  chip.DielThicknessIsSingle = true;
  chip.Mult = WholeNumber(gDesignRules.DesignRule2(c, d, v));
  chip.Covers = WholeNumber(gDesignRules.DesignRule3(c, d, v));
  chip.Cascades = WholeNumber(gDesignRules.DesignRule4(c, d, v));

  // The built-in rules, then the case geometry for the cascades that
  // stand now (a case without geometry ends the program here).
  SetDesignRules();
  SetModelCoefficients();

  // A fresh start: no flags, one chip, five effectives at least.
  chip.DesignFlag1 = chip.DesignFlag2 = chip.DesignFlag3 = chip.DesignFlag4 = chip.DesignFlag5 = 0;
  const float working = static_cast<float>(sel.Capacitance * 1000000.0);
  chip.Chips = 1;
  chip.MinEffectives = 5;
  chip.NonStandardDesign = 0;
  if (!std::isfinite(working)) return ChipDesignOutcome::InvalidCombination;

  // The special designs; the second X7R formulation is thinner.
  ApplySpecialDesignTable(working);
  if (chip.DesignFlag2 == 1) {
    chip.DielThickness = chip.DielThickness - 0.2;
    chip.DielThicknessIsSingle = false;
  }
  if (!UsableConstruction()) return ChipDesignOutcome::InvalidCombination;

  // Effectives per chip; chips are added while the stack is too thick.
  double stack = 0;
  for (;;) {
    chip.ActiveLayerThick = ActiveLayerThickness();
    chip.Effectives = std::floor(static_cast<double>(working) * 1000000.0 / chip.Chips *
                                 chip.ActiveLayerThick / geo.EffArea / chip.DielectricK);
    if (chip.Effectives < 1) {
      const std::function<void()> reEntry = CapTooSmallHandler();
      if (reEntry) reEntry();
      return ChipDesignOutcome::CapacitanceTooSmall;
    }
    if (chip.Effectives < chip.MinEffectives && chip.Chips == 1) {
      chip.MinEffectives = WarnTooFewEffectives(chip.MinEffectives);
      if (chip.Effectives <= 1) return ChipDesignOutcome::TooFewEffectives;
    }
    if (chip.MinEffectives < 1) chip.MinEffectives = 1;

    stack = StackThickness();
    const double limit = geo.MaxThickness / chip.ThicknessScale;
    if (!(stack > limit)) break;
    if (geo.MaxThickCheck == 1 &&
        ui::msgBox(kThicknessText, ui::MsgButtons::YesNo, kThicknessTitle, ui::MsgIcon::Question) ==
            ui::MsgResult::Yes) {
      chip.NonStandardDesign = 1;
      break;
    }
    // Answered No: a chip size is one chip, so the stack it becomes is no
    // standard design.
    if (geo.MaxThickCheck == 1 && ChipSizeSeries(sel.SeriesIndex))
      chip.NonStandardDesign = 1;
    if (chip.Chips >= kMaxChips) return ChipDesignOutcome::InvalidCombination;
    ++chip.Chips;
  }

  // Covers are added until the chip reaches its minimum thickness.
  for (;;) {
    stack = StackThickness();
    chip.ChipThickInch = stack * chip.ThicknessScale;
    if (!(chip.ChipThickInch < geo.MinThickness)) break;
    if (chip.Covers >= kMaxCovers) return ChipDesignOutcome::InvalidCombination;
    ++chip.Covers;
  }

  // The weight base, from the finished chip: its covers included, and its
  // real thickness where the listed maximum was exceeded by choice.
  chip.VolumeFactor = stack * 0.68 * chip.Chips;
  return ChipDesignOutcome::Designed;
}

}  // namespace quenta
