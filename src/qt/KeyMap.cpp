#include "qt/KeyMap.h"

#include <QKeyEvent>

namespace qtui {

namespace {

int keypadCode(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Comma: return 108;  // the keypad separator
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period: return 110;  // the keypad decimal point
    case Qt::Key_Slash: return 111;
    default: return 0;
  }
}

int virtualKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // same codes, 65-90
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;  // 48-57
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Select: return 41;
    case Qt::Key_Printer: return 42;
    case Qt::Key_Execute: return 43;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Help: return 47;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    // Punctuation by the key that carries it on a US keyboard.
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
  }
}

}  // namespace

KeyInput translateKey(const QKeyEvent& event) {
  KeyInput in;
  const int key = event.key();
  const Qt::KeyboardModifiers mods = event.modifiers();
  if (mods & Qt::ShiftModifier) in.shift |= 1;
  if (mods & Qt::ControlModifier) in.shift |= 2;
  if (mods & Qt::AltModifier) in.shift |= 4;

  in.keyCode = 0;
  if (mods & Qt::KeypadModifier) in.keyCode = keypadCode(key);
  if (in.keyCode == 0) in.keyCode = virtualKey(key);

  // The character of the key press.
  if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key >= Qt::Key_A &&
      key <= Qt::Key_Z) {
    in.character = key - Qt::Key_A + 1;
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    in.character = 13;
  } else if (key == Qt::Key_Escape) {
    in.character = 27;
  } else if (key == Qt::Key_Backspace) {
    in.character = 8;
  } else if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
    in.character = 0;  // Tab moves the focus; no character reaches a control
  } else {
    const QList<uint> text = event.text().toUcs4();
    if (!text.isEmpty() && text.front() >= 32 && text.front() != 127)
      in.character = static_cast<int>(text.front());
  }
  return in;
}

}  // namespace qtui
