// The readout cursor of the graph window: the marker a plot places, the
// position typed into the first readout box, the crosshair that follows
// the pointer, and the lock that freezes it. One cursor line is on the
// graph at a time, drawn so that drawing it again removes it.
//
// While the graph drawn is not of the kind chosen in the list (a plot of a
// newly chosen graph was refused), none of these does anything.
#pragma once

namespace quenta {

// Places the cursor at its starting position after a plot: the plot's
// cursor frequency (kinds 0, 2, 3, 4), a rise of 20 degrees (kind 1) or
// 25 V (kind 5), each held within the plotted range (kind 5 excepted).
void ShowGraphCursor();
// Moves the cursor to the position typed into the first readout box.
void MoveGraphCursor();
// A readout box changed: a position typed into the first box moves the
// cursor; one above the graph's range is held to its maximum at once, one
// below it waits, the cursor staying, as more digits may bring it in.
void F_QuentaGrafForm_Text2_Change(int index);
// A readout box lost the focus: a position left in the first box below the
// graph's range is held to its minimum, which moves the cursor there.
void F_QuentaGrafForm_Text2_LostFocus(int index);
// A key in a readout box locks the crosshair.
void F_QuentaGrafForm_Text2_KeyDown(int index, int keyCode, int shift);
// The pointer moved over the graph: drawing units (h, v), data (x, y).
void F_QuentaGrafForm_GSGraf_PointerMoveEvent(double h, double v, double x, double y);
// A button went down on the graph: the left one (1) toggles the lock.
void F_QuentaGrafForm_GSGraf_ButtonEvent(int button);

}  // namespace quenta
