// Where the program's own folder is: the folder of the executable, found
// from the system rather than from Qt, whose application folder is empty
// when the folder's name is not valid UTF-8.
#pragma once

#include <string>

namespace quenta::app {

// The folder of the running executable, as the bytes the system gives;
// empty when it cannot be found. argv0 (the name the program was started
// by) serves only where the system does not tell, and only when it names a
// folder: the current folder is never taken for the program's.
std::string ExecutableFolder(const char* argv0);

}  // namespace quenta::app
