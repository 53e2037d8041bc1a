// The graph-data window: the plotted points as text, SAVE DATA to write
// them to a file the user names, and CLOSE. The window is not modal and
// stays open until it is closed itself, also when the graph window closes.
#pragma once

#include <string>

#include "graph/GraphDataText.h"
#include "ui/Form.h"

namespace quenta {

struct GraphDataForm : ui::Form {
  GraphDataForm();

  // A multi-line text box: the display form of the data text. The user may
  // edit it; nothing of that reaches the file.
  ui::TextBox RichTextBox1{*this, "RichTextBox1"};
  ui::CommandButton Command2{*this, "Command2"};  // "SAVE DATA"
  ui::CommandButton Command1{*this, "Command1"};  // "CLOSE"
};

// The window's one instance, created and loaded on first use.
GraphDataForm& Graph_Data();
void ResetGraphDataForm();

// The columns of the plot the graph window shows, with its kind: both
// commands list these, also after the graph window has closed. After a
// refused plot of a newly chosen graph, which shows empty, they are that
// graph's kind with no points.
GraphColumns PlottedColumns();

// The file chosen in the last save dialog; the next one proposes it.
const std::string& DataFileName();

// The graph window's "Display Graph Data": fills the text and shows the
// window.
void F_QuentaGrafForm_Command2_Click();

// A plot has completed, or a refused one left its graph empty: an open
// graph-data window lists its points.
void ListNewPlotInOpenGraphData();

// "SAVE DATA": asks for a file and writes the file form of the data text
// to it. A cancelled dialog or an empty name writes nothing. With no
// plotted point it says so and asks for no file.
void Graph_Data_Command2_Click();
// "CLOSE": hides the window; it keeps its text.
void Graph_Data_Command1_Click();

}  // namespace quenta
