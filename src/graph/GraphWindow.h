// The graph window's own handlers: its load, the blinking Z5U notice, Close
// and unloading, and the wiring of every handler of the window.
#pragma once

namespace quenta {

struct GraphForm;

void ConnectGraphFormHandlers(GraphForm& form);

void F_QuentaGrafForm_Form_Load();
void F_QuentaGrafForm_Timer1_Timer();
void F_QuentaGrafForm_ExitGraph_Click();
void F_QuentaGrafForm_Form_Unload();

}  // namespace quenta
