// The graph window's Print Graph: the drawn page for the ESR and
// impedance, temperature-rise, maximum current and maximum ripple voltage
// graphs; the window's image for the phase-angle and capacitance-change
// graphs.
#pragma once

#include "graph/GraphPrintout.h"

namespace quenta {

void F_QuentaGrafForm_Command1_Click();

// The part's curves for the printed page, through the graph window's
// model of the part.
void ComputePagePoints(const PageSweep& sweep, PagePoints& points);

}  // namespace quenta
