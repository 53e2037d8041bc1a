#include "graph/GraphPlotData.h"

namespace quenta {

const char* const kGraphNames[6] = {
    "ESR & Impedance VS Freq.",
    "Temperature Rise VS Applied Current",
    "Maximum Current VS Frequency",
    "Maximum Ripple Voltage VS Frequency",
    "Phase Angle VS Freq.",
    "Typical Capacitance Change VS Applied Voltage",
};

GraphPlotData gGraph;

}  // namespace quenta
