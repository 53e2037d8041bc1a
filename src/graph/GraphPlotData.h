// The graph window's shared record: the points of the last completed plot,
// the columns of its data text, its title, the cursor's start frequency and
// the cursor line, and the frequency range kept while the temperature-rise
// graph borrows the range boxes. The arrays are the graph's own: the main
// window's calculation and its voltage panel never read them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quenta {

// The graphs, by their place in the list.
enum GraphKind : int {
  kEsrImpedance = 0,
  kTemperatureRise = 1,
  kMaxCurrent = 2,
  kMaxRipple = 3,
  kPhaseAngle = 4,
  kCapacitanceChange = 5,
};

// The list texts of the six graphs, in kind order.
extern const char* const kGraphNames[6];

// Kinds 0, 2, 3 and 4 are swept over frequency.
constexpr bool IsFrequencyKind(int kind) {
  return kind == kEsrImpedance || kind == kMaxCurrent || kind == kMaxRipple || kind == kPhaseAngle;
}

struct GraphPlotData {
  // Curve points 1 to the point count; element 0 stays 0.
  std::vector<double> GraphY1;  // kind 0 ESR (milliohms), 1 current, 2 max current, 3 ripple,
                                // 4 phase, 5 applied voltage
  std::vector<double> GraphY2;  // kind 0 impedance (milliohms), 5 capacitance left
  std::vector<double> GraphY3;  // kind 5 change of capacitance (percent)
  // The data text's columns.
  std::vector<float> GraphDataX;     // frequency (Hz), rise (degrees C) or voltage
  std::vector<double> GraphDataY1;   // the plotted value (kind 0 the impedance)
  std::vector<double> GraphDataY2;   // kind 0 the ESR
  int32_t GraphPointCount = 0;
  std::string GraphTitle;
  // The kind of the plot the graph window shows, -1 while it shows none:
  // before the first plot, and after a refused plot of a newly chosen
  // graph has left that graph's plot empty.
  int PlottedKind = -1;
  // The graph the window names: the kind of the plot on show, or of the
  // refused one shown empty; -1 before the first plot. The graph data
  // follow it: an empty plot lists no points of another graph.
  int ShownKind = -1;
  // Kind 5: the last point whose field stays within the dielectric's limit.
  int CurveLastPoint = 0;

  // The frequency (Hz) the cursor starts at after a frequency plot.
  float GraphMaxFrequency = 100000;
  // The one cursor line on the graph: its coordinate in the control's
  // drawing units, and whether it is drawn.
  double CursorLineX = 0;
  bool CursorLineShown = false;

  // The range boxes' texts as last seen holding a frequency range.
  std::string SavedStartValue;
  std::string SavedEndValue;
  int16_t TempRiseGraphShown = 0;
};

extern GraphPlotData gGraph;

}  // namespace quenta
