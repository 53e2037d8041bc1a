// A gesture that crosses a modal window's opening or closing does nothing
// on the other side of it.
//
// A click whose run opens a message box, a dialog, the design window or the
// save dialog may still be held on a scroll bar, whose repeat would step on
// behind the window: as a modal window appears, every scroll bar pressed
// lets go (Binder::endScrollBarPresses).
//
// A box may also come up under the pointer, on a button, before the user
// has read it: a click the user makes just then, the rest of a click series
// under way (a double or triple click, or a bar stepped a few values at an
// even pace), or the repeats of a key held since before it opened would
// answer it. Likewise the rest of a double click on a box's button would
// land on the window below once the box has gone. So:
// - a modal window takes no press (nor double click) for the double-click
//   interval after it appears, whatever opened it: a press read within that
//   interval of the program showing it, or made within it (or before it)
//   by the window system's timestamps, however late it is read;
// - a press belongs to a click series while it follows the series' previous
//   press within the double-click interval and distance, however many
//   presses there are; once a modal window opens or closes while a series
//   is under way, its later presses (and double clicks) go to no window;
// - a key that is down when a modal window opens or closes does nothing
//   until it is let go: its repeats are dropped, whatever the window system
//   calls them. A press is a repeat when it says so, or when it comes at
//   one instant with the key's release before it (as X sends a held key's
//   repeats); any other press is the key pressed anew, also when its last
//   release never arrived (a release sent to a window that a box blocks is
//   dropped on the way).
// Series, keys and the interval after a window appears are judged in the
// user's time, by the window system's timestamps of the events, not by when
// the program reads them: a program kept busy for a moment reads a whole
// gesture at once. When a window appears on that clock is known from the
// latest stamped event and the program's own time since it was read. An
// event with no timestamp counts from when it is read, and a press stamped
// far before the window appeared (another clock, a wrap) is judged by when
// it is read alone.
// A click elsewhere or after a pause, and every key pressed anew, work at
// once. Releases pass: a release that never arrives would leave a widget
// pressed, while one without its press does nothing.
#pragma once

namespace qtui {

// Installs the guard on the application, once; later calls do nothing.
void installModalPressGuard();

}  // namespace qtui
