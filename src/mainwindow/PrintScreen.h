// Print Screen and the datasheet command of the main window.
#pragma once

#include <string>

namespace quenta {

// Print Screen: prints the image of the main window in portrait. The
// blinking Z5U notice is held visible for the print and blinks again
// afterwards. When the image cannot be printed, the page is abandoned and
// the "Error!" box of the results report tells why.
void Command5_Click();

// Datasheet: opens the document of the selected series (maker part-number
// entry) or of the military standard (the two military entries)
// under the datasheet base address, through the desktop shell.
void Command6_Click();

// The datasheet document of a maker series by series and case code;
// empty for a series that has none.
std::string DatasheetDocument(int seriesIndex, int caseIndex);

// The address the documents are published under (a build setting).
std::string DatasheetBaseAddress();

}  // namespace quenta
