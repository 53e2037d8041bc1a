#include "engine/CaseList.h"

namespace quenta {

namespace {

bool IsAny(std::string_view list) { return list == "any" || list == "any other"; }

// Reads a whole number at the front of text; false when there is none.
bool ReadNumber(std::string_view& text, int& value) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  value = 0;
  while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
    value = value * 10 + (text.front() - '0');
    if (value > 10000) return false;
    text.remove_prefix(1);
  }
  return true;
}

bool Consume(std::string_view& text, std::string_view word) {
  if (text.substr(0, word.size()) != word) return false;
  text.remove_prefix(word.size());
  return true;
}

// Walks the list, calling visit(from, to) for each item; false when the
// list is malformed.
template <typename Visit>
bool WalkList(std::string_view text, Visit visit) {
  if (text.empty()) return false;
  for (;;) {
    int from = 0;
    if (!ReadNumber(text, from)) return false;
    int to = from;
    if (Consume(text, " to ")) {
      if (!ReadNumber(text, to) || to < from) return false;
    }
    if (visit(from, to)) return true;
    if (text.empty()) return true;
    if (!Consume(text, ", ")) return false;
  }
}

}  // namespace

bool CaseListContains(std::string_view list, int caseIndex) {
  if (IsAny(list)) return true;
  bool found = false;
  WalkList(list, [&](int from, int to) {
    found = caseIndex >= from && caseIndex <= to;
    return found;
  });
  return found;
}

bool IsCaseList(std::string_view list) {
  if (IsAny(list)) return true;
  return WalkList(list, [](int, int) { return false; });
}

}  // namespace quenta
