// The operating point on the main window: the operating frequency (a box
// in kHz with a logarithmic scroll bar), the ambient temperature and the
// allowed temperature rise (each a box with a scroll bar). Each pair keeps
// box and bar in step, stores the value in the design state and
// recalculates; typing in the frequency box only clears the results until
// the box is left or a calculate key is pressed.
#pragma once

#include <string>

#include "engine/TempLimits.h"

namespace ui {
class ScrollBar;
}

namespace quenta {

void HS_Frequency_Change();
void T_Frequency_Change();
void T_Frequency_KeyPress(int& keyAscii);
void T_Frequency_LostFocus();
void HS_TempAmbient_Change();
void T_TempAmbient_Change();
void T_TempAmbient_LostFocus();
void HS_TempRise_Change();
void T_TempRise_Change();
void T_TempRise_LostFocus();
// Focus into the frequency or rise box selects its whole text.
void T_Frequency_GotFocus();
void T_TempRise_GotFocus();

// Moves a bar for a value typed into its box. When keepTypedText is set
// (the box holds a number still being typed, "2." of "2.5") the bar's
// change handler, which asks TypedTextKept(), leaves the box's text as it
// stands, so that the next key goes on from what was typed.
void MoveBarForTypedText(ui::ScrollBar& bar, int position, bool keepTypedText);
bool TypedTextKept();

// The frequency scale of HS_Frequency: position 0 is 50 Hz, 500 is 100 MHz,
// evenly spaced in the logarithm.
double FrequencyAtPosition(int position);  // hertz
// The position nearest a frequency in kHz (ties to even).
int PositionOfFrequency(double kilohertz);
// A frequency in kHz as the box shows it: three decimals ("100.000").
std::string FrequencyText(double kilohertz);
// A typed frequency in kHz as leaving the box holds it: within the
// program's range, 0.05 to 100000 kHz, and to the box's three decimals
// (1 Hz). Every run reads the box so, whether it was left or is still
// being typed into.
double FrequencyAsLeft(double kilohertz);

// Takes the ambient temperature and the rise in use from their scroll bars
// into the design state (after the catalogue loader has reset the state
// while the boxes kept the user's values).
void TakeTemperaturesFromWindow();

// Shows the internal temperature in T_TempSpecs(2) and colours the
// ambient, rise and internal-temperature boxes as the temperature check
// found them: white on blue below the minimum, white on red above the
// maximum, black on white within.
void ShowTemperatureLimits(const TemperatureCheck& check);
// The temperature check of the temperatures the two bars stand at.
TemperatureCheck CheckWindowTemperatures();

}  // namespace quenta
