#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace quenta {

// Finds a file in a folder by name without regard to (ASCII) letter case,
// as the program's data files are named on the systems they come from
// ("CLCMinCAP.DAT" may be stored as "clcmincap.dat"). An exact match wins;
// among several case-variant matches the first in name order is taken.
// Returns nothing when the folder holds no such regular file or cannot be
// read.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

}  // namespace quenta
