// The command buttons of the main window.
#pragma once

#include <functional>

namespace ui {
class PictureBox;
}

namespace quenta {

// Loads a picture of the program folder into one of the two picture boxes
// and shows it there, hiding the other. A missing picture leaves the box
// empty.
void ShowPicture(ui::PictureBox& into, ui::PictureBox& other, const char* file);

// The Calculate command (button, and the calculate keys of the window):
// shows the picture of the chosen series, then calculates. Returns whether
// the calculation reached the results.
bool Command1_Click();

// A calculate key: the focus moves to Calculate, then Calculate runs. The
// box the key was typed in may calculate when it is left; the key's own
// run stands for that one, so the key calculates once.
void CalculateByKey();

// The Graph command: calculates as Calculate does and, when that reaches
// the results, opens the graph window on the part.
void Command3_Click();

// The graph window plugs into the main window here: Open shows it on the
// part just calculated and hides this window; Reset drops it along with the
// main window's own (ResetForms). Without it Graph only calculates.
struct GraphWindowHooks {
  std::function<void()> Open;
  std::function<void()> Reset;
};
void SetGraphWindowHooks(GraphWindowHooks hooks);
void ResetGraphWindow();

}  // namespace quenta
