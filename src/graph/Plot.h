// The Plot command: snaps the range to whole decades, sweeps the chosen
// graph through the part's model, keeps the points in the plot data,
// titles the window, programs the graph control and places the cursor.
#pragma once

#include <string>

#include "graph/CurveModel.h"

namespace quenta {

void F_QuentaGrafForm_GPlot_Click();

// Tells the user that a range was refused: "End value must be greater
// than Start value.".
void ShowRangeRefused();

// The part as the graph names it: the PIN in the military entry modes,
// else the maker part number.
std::string GraphPartNumber();
// "Quenta10 Graph " & part & "   " & ambient & " °C Amb.    " & internal &
// " °C Internal    ": the graph window's caption.
std::string GraphCaption();

// The model of the part for a plot or a readout: the engine's model
// procedures run again on the last calculation's design.
FrequencyModel GraphFrequencyModel();

// A single-precision number as the shortest text that reads back as the
// same number ("0.1", "100000").
std::string SingleText(float value);

// The snapping of the range boxes of the frequency graphs: the text a
// start value becomes and the cursor frequency (Hz) it sets, nothing for a
// value between the rows; and the text an end value becomes.
struct StartSnap {
  const char* text;
  float cursorFrequency;
  const char* endText;  // the end box's text when it is at most the start
  double endAtMost;
};
const StartSnap* SnapStart(double kilohertz);
const char* SnapEnd(double kilohertz);

}  // namespace quenta
