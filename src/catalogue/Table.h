#pragma once

// Fixed-shape tables indexed from 0 along every dimension: Table stores
// every entry on the heap in one block, SparseTable only the rows written.
// Every index is checked: a wrong index is a program error and throws
// std::out_of_range instead of touching other memory.

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
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
  template <typename, int...>
  friend class SparseTable;

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

// A table of the same shape and indexing that stores only the rows (runs
// along the last dimension) that have been written; every other entry
// reads as the value of the last Fill (T{} before any). Meant for large
// tables that are filled sparsely. A read never stores anything: through
// a non-const table, operator() gives a Cell that reads like a T and
// stores its row only when assigned to.
//
// Copies share their rows until one of them is written to, so keeping a
// copy of a loaded table costs no memory.
template <typename T, int... Extents>
class SparseTable {
  static_assert(sizeof...(Extents) > 2 && ((Extents > 0) && ...));

 public:
  static constexpr std::size_t kRank = sizeof...(Extents);
  static constexpr std::array<int, kRank> kExtents{Extents...};

  // One entry of a non-const table.
  class Cell {
   public:
    operator T() const { return table_.Read(row_, column_); }
    Cell& operator=(const T& value) {
      table_.WritableRow(row_)[column_] = value;
      return *this;
    }
    Cell& operator=(const Cell& other) { return *this = static_cast<T>(other); }

   private:
    friend class SparseTable;
    Cell(SparseTable& table, std::size_t row, std::size_t column)
        : table_(table), row_(row), column_(column) {}
    SparseTable& table_;
    std::size_t row_;
    std::size_t column_;
  };

  template <std::integral... I>
    requires(sizeof...(I) == kRank)
  Cell operator()(I... index) {
    const std::size_t offset = Dense::Offset({static_cast<long long>(index)...});
    return Cell(*this, offset / kRowLength, offset % kRowLength);
  }

  template <std::integral... I>
    requires(sizeof...(I) == kRank)
  const T& operator()(I... index) const {
    const std::size_t offset = Dense::Offset({static_cast<long long>(index)...});
    return Read(offset / kRowLength, offset % kRowLength);
  }

  // The row at these leading indices, stored from now on, to be written
  // whole.
  template <std::integral... I>
    requires(sizeof...(I) == kRank - 1)
  std::span<T, static_cast<std::size_t>(kExtents[kRank - 1])> Row(I... index) {
    const std::size_t offset = Dense::Offset({static_cast<long long>(index)..., 0LL});
    return std::span<T, kRowLength>(WritableRow(offset / kRowLength), kRowLength);
  }

  template <std::integral... I>
    requires(sizeof...(I) == kRank)
  static bool Contains(I... index) {
    return Dense::Contains(index...);
  }

  // Every entry reads value; the rows stored are given up.
  void Fill(const T& value) {
    fill_ = value;
    rows_.reset();
  }

  void swap(SparseTable& other) noexcept {
    rows_.swap(other.rows_);
    std::swap(fill_, other.fill_);
  }

  // The number of rows stored.
  std::size_t StoredRows() const { return rows_ ? rows_->count : 0; }

 private:
  using Dense = Table<T, Extents...>;
  static constexpr std::size_t kRowLength = static_cast<std::size_t>(kExtents[kRank - 1]);
  static constexpr std::size_t kGroupLength = static_cast<std::size_t>(kExtents[kRank - 2]);
  static constexpr std::size_t kRows = Dense::kSize / kRowLength;
  static constexpr std::size_t kGroups = kRows / kGroupLength;
  static constexpr std::size_t kChunkRows = 32;

  // Numbers of groups and rows stored, counted from 1; 0 for none.
  using Number = std::conditional_t<(kRows < 65535), std::uint16_t, std::uint32_t>;

  // The rows stored, in the order they were first written, found through
  // a two-level index: the rows that differ only in the next-to-last index
  // form a group, and only the groups that hold a row are kept. Rows are
  // kept in chunks, so that adding one never moves the others.
  struct Rows {
    std::vector<Number> groupOf = std::vector<Number>(kGroups, 0);
    std::vector<std::array<Number, kGroupLength>> groups;
    std::vector<std::vector<T>> chunks;
    std::size_t count = 0;
  };

  const T& Read(std::size_t row, std::size_t column) const {
    if (!rows_) return fill_;
    const Number group = rows_->groupOf[row / kGroupLength];
    if (group == 0) return fill_;
    const Number number = rows_->groups[group - 1u][row % kGroupLength];
    if (number == 0) return fill_;
    const std::size_t n = number - 1u;
    return rows_->chunks[n / kChunkRows][n % kChunkRows * kRowLength + column];
  }

  // The row, stored if it was not; rows shared with a copy are first
  // made this table's own.
  T* WritableRow(std::size_t row) {
    if (!rows_) {
      rows_ = std::make_shared<Rows>();
    } else if (rows_.use_count() > 1) {
      rows_ = std::make_shared<Rows>(*rows_);
    }
    Rows& r = *rows_;
    Number& group = r.groupOf[row / kGroupLength];
    if (group == 0) {
      r.groups.push_back({});
      group = static_cast<Number>(r.groups.size());
    }
    Number& number = r.groups[group - 1u][row % kGroupLength];
    if (number == 0) {
      if (r.count % kChunkRows == 0) {
        r.chunks.emplace_back();
        r.chunks.back().reserve(kChunkRows * kRowLength);
      }
      r.chunks.back().resize(r.chunks.back().size() + kRowLength, fill_);
      number = static_cast<Number>(++r.count);
    }
    const std::size_t n = number - 1u;
    return &r.chunks[n / kChunkRows][n % kChunkRows * kRowLength];
  }

  std::shared_ptr<Rows> rows_;
  T fill_{};
};

}  // namespace quenta
