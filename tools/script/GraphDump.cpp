#include "GraphDump.h"

#include <cstdio>

#include "ui/GraphControl.h"

namespace script {

namespace {

using ui::GraphCall;

std::string num(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", v);
  return buffer;
}

std::string describeCall(const GraphCall& c) {
  switch (c.what) {
    case GraphCall::What::Write:
      return std::to_string(c.number) + " = " + num(c.value) + " (" + ui::valueTypeName(c.type) + ")";
    case GraphCall::What::IndexedWrite:
      return std::to_string(c.number) + "(" + std::to_string(c.index) + ") = " + num(c.value) +
             " (" + ui::valueTypeName(c.type) + ")";
    case GraphCall::What::SetRop: return "rop " + std::to_string(c.number);
    case GraphCall::What::Line:
      return "line " + num(c.x1) + "," + num(c.y1) + " " + num(c.x2) + "," + num(c.y2);
  }
  return "?";
}

// Whether call b repeats call a one point further on.
bool repeats(const GraphCall& a, const GraphCall& b) {
  if (a.what != b.what || a.number != b.number || a.type != b.type) return false;
  switch (a.what) {
    case GraphCall::What::IndexedWrite: return b.index == a.index + 1;
    case GraphCall::What::Write: return a.value == b.value;
    case GraphCall::What::SetRop: return true;
    case GraphCall::What::Line: return false;
  }
  return false;
}

// The smallest point index written in a block, -1 for none.
int blockIndex(const std::vector<GraphCall>& calls, std::size_t at, std::size_t length) {
  int index = -1;
  for (std::size_t k = 0; k < length; ++k) {
    const GraphCall& c = calls[at + k];
    if (c.what == GraphCall::What::IndexedWrite && (index < 0 || c.index < index)) index = c.index;
  }
  return index;
}

}  // namespace

std::vector<std::string> DescribeGraph(const ui::GraphControl& g) {
  std::vector<std::string> out;
  out.push_back("style " + num(g.style()) + ", " + std::to_string(g.curveCount()) + " curve" +
                (g.curveCount() == 1 ? "" : "s") + ", " + std::to_string(g.pointCount()) +
                " points");
  auto axis = [](const char* name, const ui::GraphAxis& a) {
    return std::string(name) + " " + num(a.min) + " to " + num(a.max) +
           (a.logarithmic ? " logarithmic" : " linear");
  };
  out.push_back(axis("x", g.xAxis()) + ", " + axis("y", g.yAxis()));
  std::string area = "172:";
  for (int k = 1; k <= 8; ++k)
    area.append(" ").append(std::to_string(k)).append("=").append(num(g.property(172, k)));
  out.push_back(area);
  for (int c = 0; c < g.drawnCurves(); ++c) {
    const auto& curve = g.curves()[static_cast<std::size_t>(c)];
    const int last = g.lastDrawnPoint(curve);
    std::string line = "curve " + std::to_string(c + 1) + " look " + num(curve.look) + ": ";
    if (last < 1) {
      line += "no points";
    } else {
      auto point = [&](int i) {
        const auto at = static_cast<std::size_t>(i);
        std::string text = "(";
        text.append(num(curve.x[at])).append(", ").append(num(curve.y[at])).append(")");
        return text;
      };
      line += std::to_string(last) + " points from " + point(1) + " to " + point(last);
    }
    out.push_back(line);
  }
  if (g.overlay().empty()) out.push_back("no cursor line");
  for (const auto& l : g.overlay())
    out.push_back(std::string(l.exclusiveOr ? "cursor line " : "line ") + num(l.x1) + "," +
                  num(l.y1) + " " + num(l.x2) + "," + num(l.y2));
  return out;
}

std::vector<std::string> DescribeGraphCalls(const std::vector<GraphCall>& calls) {
  return FoldRuns(
      calls.size(), 16,
      [&](std::size_t at, std::size_t length) { return blockIndex(calls, at, length) >= 1; },
      [&](std::size_t a, std::size_t b) { return repeats(calls[a], calls[b]); },
      [&](std::size_t i) { return describeCall(calls[i]); },
      [&](std::size_t at, std::size_t length, std::size_t blocks) {
        return "... the same for points " + std::to_string(blockIndex(calls, at + length, length)) +
               " to " + std::to_string(blockIndex(calls, at + (blocks - 2) * length, length)) +
               " (" + std::to_string((blocks - 2) * length) + " calls) ...";
      });
}

}  // namespace script
