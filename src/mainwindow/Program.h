// The program entry, shared by the real program and the session runner.
#pragma once

#include <string>

namespace quenta {

// The program's own folder: catalogue files, part lists and pictures.
void SetProgramFolder(const std::string& folder);
const std::string& ProgramFolder();

// Starts the program: shows the main window, whose load runs first.
void Main();

}  // namespace quenta
