// The selection cascade of the main window: series, case, voltage,
// dielectric and tolerance. Each choice stores its code in the design
// state, clears the results, refills the lists below it (whose own
// handlers run nested, inside the list writes) and ends by rebuilding the
// capacitance pick-list.
#pragma once

#include <string>

namespace quenta {

void CB_Type_Click();
void CB_Case_Click();
void CB_Volt_Click();
void CB_Dielectric_Click();
void CB_Tolerance_Click();

// The voltage code of a voltage list text ("50" gives 2), 0 for a text
// that no list offers.
int VoltageCode(const std::string& text);

}  // namespace quenta
