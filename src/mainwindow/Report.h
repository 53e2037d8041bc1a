// The results report: the Print command of the main window puts the
// results of the last calculation on one printed page.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quenta {

// One row of the report: a label at the left edge and a value beside it.
struct ReportRow {
  std::string label;
  std::string value;
};

// The rows of the report as the window shows them now: 21 rows, and the
// five rows of the chip construction in design mode (Design button
// visible).
std::vector<ReportRow> ReportRows();

// The two lines that close the page of a Z5U part, in the value column.
std::vector<std::string> ReportNotice();

// The Print command: prints the report in Arial 12 pt, labels at x 0 and
// values at 4200 twips, one row a line. A printer failure abandons the page
// (nothing of it is printed) and shows the "Error!" box with the error's
// number and description.
void Command2_Click();

// What a failed printout does: abandons the document under way (nothing
// of it is printed) and shows the "Error!" box with the error's number and
// description.
void ShowPrintingError(int number, const std::string& description);

// The tolerance letter of the MIL-PRF-123 part number, which the report
// prints in that entry mode. The MIL-PRF-123 decoder installs its source;
// without one the letter is blank.
void SetMil123ToleranceSource(std::function<std::string()> source);

}  // namespace quenta
