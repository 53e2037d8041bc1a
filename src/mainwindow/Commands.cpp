#include "mainwindow/Commands.h"

namespace quenta {

void Command1_Click() {
  // Hook for the calculation: it runs here once the engine's Calculate is
  // part of the program.
}

}  // namespace quenta
