// The command buttons of the main window.
#pragma once

namespace ui {
class PictureBox;
}

namespace quenta {

// Loads a picture of the program folder into one of the two picture boxes
// and shows it there, hiding the other. A missing picture leaves the box
// empty.
void ShowPicture(ui::PictureBox& into, ui::PictureBox& other, const char* file);

// The Calculate command (button, and the calculate keys of the window):
// shows the picture of the chosen series, then calculates.
void Command1_Click();

// The Graph command: calculates as Calculate does. The graph window that it
// then opens is not part of the program yet.
void Command3_Click();

}  // namespace quenta
