// How a transcript tells the calls made on a graph: runs of per-point calls
// are folded to their first and last block, everything else is listed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/GraphDump.h"
#include "ui/Form.h"
#include "ui/GraphControl.h"

namespace {

using Lines = std::vector<std::string>;

TEST(GraphCalls, RunsOfPointCallsAreFoldedAndTheRestListed) {
  ui::Form form("F");
  ui::GraphControl g(form, "G");
  g.setProperty(115, 0);
  for (int i = 1; i <= 5; ++i) {
    g.setProperty(102, 1);
    g.setIndexed(158, i, i * 10);
  }
  g.setProperty(21, 2);
  g.setRop(2);
  g.lineAbs(1, 2, 1, 3);
  EXPECT_EQ(script::DescribeGraphCalls(g.calls()),
            (Lines{"115 = 0 (int16)", "102 = 1 (int16)", "158(1) = 10 (single)",
                   "... the same for points 2 to 4 (6 calls) ...", "102 = 1 (int16)",
                   "158(5) = 50 (single)", "21 = 2 (int16)", "rop 2", "line 1,2 1,3"}));

  // Two blocks are not a run; a block whose plain write differs ends one;
  // indices that do not count up are no run either.
  g.clearCalls();
  for (int i : {1, 2}) g.setIndexed(175, i, 0);
  g.setIndexed(175, 2, 0);
  g.setIndexed(175, 3, 0);
  EXPECT_EQ(script::DescribeGraphCalls(g.calls()).size(), 4u);
}

}  // namespace
