#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "catalogue/Table.h"

using namespace quenta;

namespace {

using Sparse = SparseTable<double, 5, 7, 3, 4>;
using Dense = Table<double, 5, 7, 3, 4>;

// Every entry of the sparse table reads as in the dense one.
::testing::AssertionResult SameEntries(const Sparse& sparse, const Dense& dense) {
  for (int a = 0; a < 5; ++a)
    for (int b = 0; b < 7; ++b)
      for (int c = 0; c < 3; ++c)
        for (int d = 0; d < 4; ++d)
          if (sparse(a, b, c, d) != dense(a, b, c, d))
            return ::testing::AssertionFailure() << "(" << a << "," << b << "," << c << "," << d
                                                 << ") reads " << sparse(a, b, c, d) << ", not "
                                                 << dense(a, b, c, d);
  return ::testing::AssertionSuccess();
}

TEST(SparseTable, ReadsLikeADenseTableThroughWritesRowsFillsAndCopies) {
  Sparse sparse;
  Dense dense;
  EXPECT_TRUE(SameEntries(sparse, dense));  // T{} before any fill
  sparse.Fill(-1);
  dense.Fill(-1);
  std::mt19937 random(7);
  auto index = [&](int extent) { return static_cast<int>(random() % extent); };
  for (int step = 0; step < 400; ++step) {
    const int a = index(5), b = index(7), c = index(3), d = index(4);
    const double value = step;
    switch (random() % 8) {
      case 0: {  // a whole row
        auto row = sparse.Row(a, b, c);
        for (int k = 0; k < 4; ++k) row[k] = dense(a, b, c, k) = value + k / 8.0;
        break;
      }
      case 1: {  // a copy written to leaves the original as it was
        Sparse copy = sparse;
        copy(a, b, c, d) = 1e9;
        ASSERT_EQ(copy(a, b, c, d), 1e9);
        break;
      }
      case 2:  // a copy kept while the original is written to
        if (step % 5 == 0) {
          const Sparse before = sparse;
          sparse(a, b, c, d) = dense(a, b, c, d) = value;
          EXPECT_NE(before(a, b, c, d), value);
        }
        break;
      case 3:  // reading through a non-const table stores nothing
        EXPECT_EQ(static_cast<double>(sparse(a, b, c, d)), dense(a, b, c, d));
        break;
      default:
        sparse(a, b, c, d) = dense(a, b, c, d) = value;
    }
    ASSERT_TRUE(SameEntries(sparse, dense)) << "after step " << step;
  }
  // More rows than a chunk holds; only the rows written are stored.
  EXPECT_GT(sparse.StoredRows(), 32u);
  EXPECT_LT(sparse.StoredRows(), 5u * 7 * 3);

  sparse.Fill(2.5);
  dense.Fill(2.5);
  EXPECT_TRUE(SameEntries(sparse, dense));
  EXPECT_EQ(sparse.StoredRows(), 0u);
}

TEST(SparseTable, CellsCopyValuesAndSwapExchangesContents) {
  Sparse first, second;
  first.Fill(-1);
  second.Fill(-2);
  first(1, 2, 0, 3) = 4.5;
  second(0, 0, 0, 0) = first(1, 2, 0, 3);  // the value, not the cell
  first(1, 2, 0, 3) = 6;
  EXPECT_EQ(second(0, 0, 0, 0), 4.5);
  first.swap(second);
  EXPECT_EQ(first(0, 0, 0, 0), 4.5);
  EXPECT_EQ(first(4, 6, 2, 3), -2);
  EXPECT_EQ(second(1, 2, 0, 3), 6);
  EXPECT_EQ(second(4, 6, 2, 3), -1);
}

TEST(SparseTable, IndicesOutsideTheShapeThrowOnReadAndWrite) {
  Sparse sparse;
  const Sparse& view = sparse;
  EXPECT_THROW(sparse(5, 0, 0, 0) = 1, std::out_of_range);
  EXPECT_THROW((void)view(0, 0, 0, 4), std::out_of_range);
  EXPECT_THROW((void)view(0, -1, 0, 0), std::out_of_range);
  EXPECT_THROW(sparse.Row(0, 7, 0), std::out_of_range);
  EXPECT_TRUE(Sparse::Contains(4, 6, 2, 3));
  EXPECT_FALSE(Sparse::Contains(4, 6, 3, 3));
  EXPECT_EQ(sparse.StoredRows(), 0u);
}

}  // namespace
