// Which entry mode a row or column of the construction tables applies in.
#pragma once

#include <cstdint>

namespace quenta {

enum class EntryFilter : std::int8_t { Any, Maker, Mil123 };

// True when a rule marked `filter` applies; mil123 tells whether parts are
// entered by MIL-PRF-123 number rather than by the maker's selection.
constexpr bool AppliesIn(EntryFilter filter, bool mil123) {
  switch (filter) {
    case EntryFilter::Any: return true;
    case EntryFilter::Maker: return !mil123;
    case EntryFilter::Mil123: return mil123;
  }
  return false;
}

}  // namespace quenta
