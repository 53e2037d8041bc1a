#include "mainwindow/UiState.h"

namespace quenta {

UiState gUiState;

}  // namespace quenta
