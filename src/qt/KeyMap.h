// Translation of Qt key events into the key codes and characters the
// program's key handlers compare: Windows virtual-key codes for the key
// that went down, and a character code for the key press.
#pragma once

class QKeyEvent;

namespace qtui {

struct KeyInput {
  int keyCode = 0;    // virtual-key code, 0 when the key has none
  int character = 0;  // character code of the key press, 0 for none
  int shift = 0;      // 1 Shift, 2 Ctrl, 4 Alt
};

// Letters give 65-90 whatever the case, digits 48-57 (keypad 96-105),
// Enter 13, Space 32, the keypad separator 108 and the keypad decimal
// point 110. Ctrl+letter gives the character 1-26.
KeyInput translateKey(const QKeyEvent& event);

}  // namespace qtui
