// The command buttons of the main window.
#pragma once

namespace quenta {

// The Calculate command (button, and the calculate keys of the window).
// The calculation is not wired in yet: the command does nothing so far.
void Command1_Click();

}  // namespace quenta
