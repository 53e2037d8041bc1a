// An opt-in start-up check for installers and tests: with
// QUENTA10_EXIT_AFTER_STARTUP=1 in the environment the program starts as
// usual, up to its main window with the catalogue loaded, reads the
// MIL-PRF-49470 part lists as a lookup would, and then ends at once instead
// of waiting for the user. Messages it would show go to standard error
// instead (no one is there to answer them). The exit status is 0 when
// neither showed a message, else 1.
#pragma once

#include <string>

#include "qt/QtServices.h"

namespace quenta::app {

// Whether the environment asks for the check.
bool StartupCheckRequested();

// Services that print message boxes rather than show them, answering each
// with its first button.
class StartupCheckServices : public qtui::QtServices {
 public:
  ui::MsgResult messageBox(const ui::MessageBoxRequest& request) override;
  int messagesShown() const { return messages_; }

 private:
  int messages_ = 0;
};

// Reads the part lists, reporting each one that cannot be used; when no
// message was shown, reports a finished start-up on standard output
// ("Quenta10 started: catalogue loaded from FOLDER", the folder's bytes
// that are not text as \xNN). Gives the exit status.
int FinishStartupCheck(const StartupCheckServices& services, const std::string& folder);

}  // namespace quenta::app
