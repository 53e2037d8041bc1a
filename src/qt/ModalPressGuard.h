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
//   interval after the program shows it, whatever opened it;
// - a press belongs to a click series while it follows the series' previous
//   press within the double-click interval and distance, however many
//   presses there are; once a modal window opens or closes while a series
//   is under way, its later presses (and double clicks) go to no window;
// - a key that is down when a modal window opens or closes does nothing
//   until it is let go: its repeats are dropped, whatever the window system
//   calls them. A key counts as let go when its release arrives (a release
//   and a press of the key at one instant are a repeat, not a release), or
//   when nothing of it has come for longer than any repeat delay (a release
//   sent to a window that a box blocks may never arrive).
// Series and keys are judged in the user's time, by the window system's
// timestamps of the events, not by when the program reads them: a program
// kept busy for a moment reads a whole gesture at once. An event with no
// timestamp counts from when it is read.
// A click elsewhere or after a pause, and every key pressed anew, work at
// once. Releases pass: a release that never arrives would leave a widget
// pressed, while one without its press does nothing.
#pragma once

namespace qtui {

// Installs the guard on the application, once; later calls do nothing.
void installModalPressGuard();

}  // namespace qtui
