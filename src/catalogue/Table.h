#pragma once

// Fixed-shape tables indexed from 0 along every dimension, stored on the
// heap in one block. Every index is checked: a wrong index is a program
// error and throws std::out_of_range instead of touching other memory.

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace quenta {

template <typename T, int... Extents>
class Table {
  static_assert(sizeof...(Extents) > 0 && ((Extents > 0) && ...));

 public:
  static constexpr std::size_t kRank = sizeof...(Extents);
  static constexpr std::array<int, kRank> kExtents{Extents...};
  static constexpr std::size_t kSize = (static_cast<std::size_t>(Extents) * ...);

  Table() : values_(kSize) {}

  template <std::integral... I>
    requires(sizeof...(I) == kRank)
  T& operator()(I... index) {
    return values_[Offset({static_cast<long long>(index)...})];
  }

  template <std::integral... I>
    requires(sizeof...(I) == kRank)
  const T& operator()(I... index) const {
    return values_[Offset({static_cast<long long>(index)...})];
  }

  // True when every index lies inside its dimension.
  template <std::integral... I>
    requires(sizeof...(I) == kRank)
  static bool Contains(I... index) {
    const std::array<long long, kRank> idx{static_cast<long long>(index)...};
    for (std::size_t k = 0; k < kRank; ++k) {
      if (idx[k] < 0 || idx[k] >= kExtents[k]) return false;
    }
    return true;
  }

  void Fill(const T& value) { std::fill(values_.begin(), values_.end(), value); }

  // Exchanges the contents of two tables without copying them.
  void swap(Table& other) noexcept { values_.swap(other.values_); }

  std::span<const T> Values() const { return values_; }

 private:
  static std::size_t Offset(const std::array<long long, kRank>& idx) {
    std::size_t offset = 0;
    for (std::size_t k = 0; k < kRank; ++k) {
      if (idx[k] < 0 || idx[k] >= kExtents[k]) {
        throw std::out_of_range("table index " + std::to_string(idx[k]) + " in dimension " +
                                std::to_string(k + 1) + " is outside 0 to " +
                                std::to_string(kExtents[k] - 1));
      }
      offset = offset * static_cast<std::size_t>(kExtents[k]) + static_cast<std::size_t>(idx[k]);
    }
    return offset;
  }

  std::vector<T> values_;
};

}  // namespace quenta
