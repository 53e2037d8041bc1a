// What a session transcript shows of a graph control: its state in a few
// lines, and the calls the program made on it with each run of repeated
// per-point calls told once.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ui {
class GraphControl;
struct GraphCall;
}  // namespace ui

namespace script {

// Style, curves, axes, plot area, the ends of each curve and the lines on it.
std::vector<std::string> DescribeGraph(const ui::GraphControl& graph);

// One line a call; a run of three or more blocks of calls that differ only
// in their values and in point indices counting up is shown as its first
// block, one line for the rest, and its last block.
std::vector<std::string> DescribeGraphCalls(const std::vector<ui::GraphCall>& calls);

// Tells `count` items one line each, folding a run of three or more blocks
// of up to `longest` items, each going on from the block before, to its
// first block, a summary line and its last block. `opens(at, length)`
// tells whether a run may start with the block at `at`; `follows(a, b)`
// whether item b goes on from item a one block earlier; `show(i)` gives
// the line of item i; `summary(at, length, blocks)` the line of a run.
template <typename Opens, typename Follows, typename Show, typename Summary>
std::vector<std::string> FoldRuns(std::size_t count, std::size_t longest, Opens opens,
                                  Follows follows, Show show, Summary summary) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < count) {
    std::size_t folded = 0;
    for (std::size_t length = 1; length <= longest && i + 3 * length <= count && !folded; ++length) {
      if (!opens(i, length)) continue;
      auto goesOn = [&](std::size_t block) {
        for (std::size_t k = 0; k < length; ++k)
          if (!follows(i + (block - 1) * length + k, i + block * length + k)) return false;
        return true;
      };
      std::size_t blocks = 1;
      while (i + (blocks + 1) * length <= count && goesOn(blocks)) ++blocks;
      if (blocks < 3) continue;
      const std::size_t lastBlock = i + (blocks - 1) * length;
      for (std::size_t k = 0; k < length; ++k) out.push_back(show(i + k));
      out.push_back(summary(i, length, blocks));
      for (std::size_t k = 0; k < length; ++k) out.push_back(show(lastBlock + k));
      folded = blocks * length;
    }
    if (folded)
      i += folded;
    else
      out.push_back(show(i++));
  }
  return out;
}

}  // namespace script
