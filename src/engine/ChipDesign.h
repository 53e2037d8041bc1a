// The chip design: turns the selection into the internal construction of
// the part (dielectric constant and thickness, layer multiplier, cascades,
// effectives per chip, chips, covers, chip thickness and the weight base).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace quenta {

enum class ChipDesignOutcome {
  // The construction stands in gChip and gCaseGeometry.
  Designed,
  // Neither a rule nor the design-rule file gives a usable construction
  // (thickness, multiplier, cascades, covers, dielectric constant or
  // thickness scale missing): there are no results for this part.
  InvalidCombination,
  // One layer cannot hold the capacitance. The capacitance re-entry (when
  // one is installed) has run; the design of this run was abandoned.
  CapacitanceTooSmall,
  // One effective is all a chip would hold: the too-few-effectives notice
  // has said the part cannot be made, and there are no results for it.
  TooFewEffectives,
};

// Designs the chip for gSelection (series, case, voltage, dielectric,
// Capacitance in farads, CommercialFlag), with the design-rule tables
// loaded and DielectricK and ThicknessScale set for the dielectric. It may
// ask the thickness question, show the too-few-effectives notice, run the
// capacitance re-entry, or end the program through SetModelCoefficients
// (case geometry missing). It reads the entry inputs of gSelection
// (Mil123Entry, CommercialTicked, ManualCapEntry, ListedCapText).
ChipDesignOutcome CalcChipDesign();

// Shows the too-few-effectives notice for the minimum in force and returns
// gChip.Effectives. With more than one effective the design is accepted
// as non-standard; with one it is refused.
int16_t WarnTooFewEffectives(int16_t minimum);

// The capacitance re-entry that the chip design runs when one layer cannot
// hold the capacitance (it asks for a larger value and calculates again).
// Without one installed the design just reports CapacitanceTooSmall.
void SetCapTooSmallHandler(std::function<void()> handler);

// The texts of the chip design's dialogs.
inline constexpr const char* kThicknessTitle = "Thickness Exceeded...";
inline constexpr const char* kThicknessText =
    "This chip is too thick for the listed max thickness.\rAdjust max thickness?";
inline constexpr const char* kFewEffectivesTitle = "Too few effectives...";

// The general text of the dielectric thickness in mils: a design-rule
// entry shows as the single-precision number it is ("1.6").
std::string DielThicknessText();
// The "0.00#" form of the chip thickness in the design window: at least one
// integer digit and two to three decimals.
std::string FormatChipThickness(double inches);
// The active-layer thickness in mils as text; worked in single precision
// while the dielectric thickness is a design-rule entry, so it shows as the
// single it is ("1.8", not 1.79999996908009).
std::string ActiveLayerThickMilsText();

}  // namespace quenta
