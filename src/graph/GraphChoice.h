// Choosing a graph: the range boxes keep or get back the frequency range,
// the window is set up for the graph (captions, inputs, readout headers,
// legend, axis titles) and the graph is plotted at once.
#pragma once

namespace quenta {

void F_QuentaGrafForm_GrafName_Click();

}  // namespace quenta
