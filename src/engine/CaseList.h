// Case lists as the rule and geometry tables write them: "3", "1, 51, 91",
// "8 to 12, 16, 17", "any" and "any other". A table row with "any other"
// stands last among the rows of its kind, so it matches whatever case the
// rows before it did not take.
#pragma once

#include <string_view>

namespace quenta {

// True when the list names caseIndex ("any" and "any other" name every case).
bool CaseListContains(std::string_view list, int caseIndex);

// True when the text is a well-formed case list: numbers and "N to M"
// ranges (N <= M) joined by ", ", or "any" / "any other".
bool IsCaseList(std::string_view list);

}  // namespace quenta
