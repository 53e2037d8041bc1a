// A modal window ends the mouse gesture that opened it and takes no press
// of it.
//
// A click whose run opens a message box, a dialog, the design window or the
// save dialog may still be held on a scroll bar, whose repeat would step on
// behind the window: as a modal window appears, every scroll bar pressed
// lets go (Binder::endScrollBarPresses). The click may also be the first of
// a double click (or a triple click): the presses that follow land on the
// new window, and on whatever control of it lies under the pointer, before
// the user has read it. For the double-click interval after a modal window
// appears, presses and double clicks on it are dropped. Releases pass: a
// release that never arrives would leave a widget pressed, while one
// without its press does nothing.
#pragma once

namespace qtui {

// Installs the guard on the application, once; later calls do nothing.
void installModalPressGuard();

}  // namespace qtui
