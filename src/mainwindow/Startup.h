// Start-up, keys and lifetime of the main window, and the catalogue
// loader that sets up its lists.
#pragma once

namespace quenta {

// The hidden key sequence that reveals the Design button: three
// control-key characters pressed in this order (Ctrl+Q, Ctrl+L, Ctrl+T).
// Each is tested on its own; the sequence is not kept as a whole.
constexpr int kHiddenKeyFirst = 17;
constexpr int kHiddenKeySecond = 12;
constexpr int kHiddenKeyThird = 20;

// Handlers of the main window.
void Form_Load();
void Form_KeyDown(int& keyCode, int shift);
void Form_KeyPress(int& keyAscii);
void Timer2_Timer();
void B_Quit_Click();
void Form_Unload();

// The catalogue loader: reads the four catalogue files of the program
// folder, gives the design state its defaults, fills the series list
// (whose first entry starts the selection cascade) and the military
// lists, and puts the window into maker part-number entry. A catalogue
// that cannot be read is reported in a message box; before the main window
// has been shown the program then ends, later the tables already loaded
// stay in use.
void LoadDataAndInitForm();

// The start-up scan: the loader, then the maximum-capacitance file checked
// entry by entry against the engine's design tables.
void ScanMaxCapTable();

}  // namespace quenta
