// Connects the main window's controls to their handlers.
#pragma once

namespace quenta {

struct MainForm;
struct DesignForm;

void ConnectMainFormHandlers(MainForm& f);
void ConnectDesignFormHandlers(DesignForm& d);

}  // namespace quenta
