// The graph window's controls with their design-time state, and the
// window's own variables. Positions are in twips.
#pragma once

#include <string>

#include "ui/Form.h"
#include "ui/GraphControl.h"
#include "ui/Line.h"

namespace quenta {

struct GraphForm : ui::Form {
  GraphForm();

  // The client area, in twips.
  static constexpr int kClientWidth = 10020;
  static constexpr int kClientHeight = 8760;

  ui::Label Label13{*this, "Label13"};  // the hint
  ui::Line Line4{*this, "Line4"};
  ui::Line Line3{*this, "Line3"};
  ui::DropDownList GrafName{*this, "GrafName"};
  ui::Label Label6{*this, "Label6"};

  // Readouts: headers above their boxes.
  ui::ControlArray<ui::Label> Label3{*this, "Label3"};
  ui::ControlArray<ui::TextBox> Text2{*this, "Text2"};
  ui::Label Label11{*this, "Label11"};  // temperature-limit warning
  ui::Label Label12{*this, "Label12"};  // title line of some graphs

  // The chart, with the captions that lie within its area.
  ui::Label Label1{*this, "Label1"};
  ui::GraphControl GSGraf{*this, "GSGraf"};
  ui::PictureBox picText{*this, "picText"};
  ui::ControlArray<ui::TextBox> Text3{*this, "Text3"};

  // Range boxes with their captions and units.
  ui::ControlArray<ui::Label> Label5{*this, "Label5"};
  ui::ControlArray<ui::TextBox> Text1{*this, "Text1"};

  // Legend of the ESR and impedance graph.
  ui::Line Line1{*this, "Line1"};
  ui::Label Label7{*this, "Label7"};
  ui::Line Line2{*this, "Line2"};
  ui::Label Label8{*this, "Label8"};

  ui::Label Label14{*this, "Label14"};  // Z5U notice
  ui::Timer Timer1{*this, "Timer1"};
  ui::PictureBox Picture1{*this, "Picture1"};

  ui::CommandButton GPlot{*this, "GPlot"};
  ui::CommandButton ExitGraph{*this, "ExitGraph"};
  ui::CommandButton Command1{*this, "Command1"};
  ui::CommandButton Command2{*this, "Command2"};

  // The window's own variables. The lock and the typed-position flag start
  // cleared each time the window opens; the first plot's cursor sets the
  // flag, so that a typed position moves the cursor from then on.
  bool LockGraf = false;
  bool ManualChange = false;
  float TitleAngle = 0;
  std::string TitleText;
};

// The graph window's one instance, loaded when code first refers to it.
GraphForm& F_QuentaGrafForm();
// Whether the instance exists and is loaded, without loading it.
bool GraphFormLoaded();
// Destroys the instance, so that the next use starts afresh.
void ResetGraphForm();

}  // namespace quenta
