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
// values at 4200 twips, one row a line, in black, whatever settings an
// earlier printout left on the printer. A printer failure abandons the page
// (nothing of it is printed) and shows the "Error!" box with the error's
// number and description.
void Command2_Click();

// What a failed printout does: abandons the document under way (nothing
// of it is printed) and shows the "Error!" box with the error's number and
// description.
void ShowPrintingError(int number, const std::string& description);

// What the report prints of a MIL-PRF-123 part in place of the maker
// lists, which that entry mode leaves hidden and untouched: the tolerance
// letter of its PIN, its rated voltage ("50" or "100") and its dielectric
// ("C0G" or "X7R"). The MIL-PRF-123 decoder installs the source; without
// one these rows are blank.
struct Mil123ReportValues {
  std::string tolerance;
  std::string voltage;
  std::string dielectric;
};
void SetMil123ReportSource(std::function<Mil123ReportValues()> source);

}  // namespace quenta
