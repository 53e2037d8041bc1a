// What a session transcript shows of a graph control: its state in a few
// lines, and the calls the program made on it with each run of repeated
// per-point calls told once.
#pragma once

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

}  // namespace script
