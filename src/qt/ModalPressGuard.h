// A gesture that crosses a modal window's opening or closing does nothing
// on the other side of it.
//
// A click whose run opens a message box, a dialog, the design window or the
// save dialog may still be held on a scroll bar, whose repeat would step on
// behind the window: as a modal window appears, every scroll bar pressed
// lets go (Binder::endScrollBarPresses).
//
// The click may also be one of a series (a double or triple click, or a
// bar stepped a few values at an even pace), and the presses that follow
// would land on the new window, on whatever control of it lies under the
// pointer, before the user has read it. Likewise the rest of a double click
// on a box's button would land on the window below once the box has gone,
// and the repeats of a key held since before a box opened would answer it.
// So:
// - a press belongs to a click series while it follows the series' previous
//   press within the double-click interval and distance, however many
//   presses there are; once a modal window opens or closes while a series
//   is under way, its later presses (and double clicks) go to no window;
// - a key that is down when a modal window opens or closes does nothing
//   until it is let go: its repeats are dropped, whatever the window system
//   calls them. A key counts as let go when its release arrives, or when
//   nothing of it has come for longer than any repeat delay (a release sent
//   to a window that a box blocks may never arrive).
// A click elsewhere or after a pause, and every key pressed anew, work at
// once. Releases pass: a release that never arrives would leave a widget
// pressed, while one without its press does nothing.
#pragma once

namespace qtui {

// Installs the guard on the application, once; later calls do nothing.
void installModalPressGuard();

}  // namespace qtui
