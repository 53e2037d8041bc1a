// Connects the main window's controls to their handlers.
#pragma once

namespace quenta {

struct MainForm;

void ConnectMainFormHandlers(MainForm& f);

}  // namespace quenta
