// The results panel of the main window.
#pragma once

#include <cstdint>

#include "engine/Electrical.h"

namespace quenta {

// Blanks every result box, black on white (no warning colour stays without
// its value), restores the unit-less captions, hides the status labels of
// the last calculation and the voltage-coefficient panel, and disables
// Print, Graph and Design. Shows Label3 when the last
// capacitance check found an invalid combination (and resets that flag),
// hides it otherwise. Raises no handler.
void ClearResults();

// Writes the maker's part number for the selection into T_Specs(0).
void BuildPartNumber();

// Writes every result box of a completed calculation: the part number, the
// ESR at the operating frequency and the self-resonant frequency with their
// units chosen by magnitude (written into the captions beside them), ESR
// at resonance, ESL, thermal resistance, weight, phase, current, power and
// ripple voltage at the chosen rise, and their maxima. A maximum current
// of exactly -1 means there is none: its box is left blank on red and the
// two other maximum boxes turn grey. Each number is cut to three
// significant digits; a value that is not finite leaves its box blank.
// The hottest-case ESR is handed over with the others but not shown.
void ShowResults(float currentAtRise, float maxCurrent, float esrOperating, float esrAtResonance,
                 float esrHot, float esl, float thermalRes, float selfResonance,
                 int16_t allowedRise);

// Colours the current and ripple cells at the chosen rise (white on red
// when over the limit, else black on white) and shows "Excessive Voltage!"
// when the ripple reaches the voltage limit.
void ShowCurrentWarnings(const CurrentWarnings& warnings);

}  // namespace quenta
