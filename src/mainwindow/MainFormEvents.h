// Connects the main window's controls to their handlers.
#pragma once

#include <functional>

namespace quenta {

struct MainForm;
struct DesignForm;

void ConnectMainFormHandlers(MainForm& f);

// Handlers that live outside the main window's folder (the entry by
// military part number) connect themselves to every main window built
// from now on through this hook; nothing clears it.
void SetMainFormExtension(std::function<void(MainForm&)> connect);
void ConnectDesignFormHandlers(DesignForm& d);

}  // namespace quenta
