// The graph window's own handlers: its load, the blinking Z5U notice, Close
// and unloading, and the wiring of every handler of the window.
#pragma once

namespace quenta {

struct GraphForm;

// Plugs the graph window into the main window's Graph command.
void InstallGraphWindow();

void ConnectGraphFormHandlers(GraphForm& form);

// The Graph command's part, after its calculation: the cursor starts at
// 100 kHz, the window loads (plotting its first graph), takes the part's
// caption and shows, and the main window hides.
void OpenGraphWindow();

void F_QuentaGrafForm_Form_Load();
void F_QuentaGrafForm_Timer1_Timer();
void F_QuentaGrafForm_ExitGraph_Click();
void F_QuentaGrafForm_Form_Unload();

}  // namespace quenta
