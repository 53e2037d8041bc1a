// How a control looks in its widget: the text it shows, its colours and
// font, its picture, and the room a placed label takes.
#pragma once

#include <string>

#include <QString>

#include "ui/Control.h"

class QLabel;
class QWidget;

namespace qtui {

// ---- Text ------------------------------------------------------------------

// The caption a control shows: line breaks as the window shows them, and
// the letters of the Symbol font as the Greek ones it draws.
QString captionOf(const ui::Control& c);
// The text of a multi-line box has CR LF line breaks; its editor has LF.
QString editorText(const std::string& text);
std::string boxText(const QString& editor);

// ---- Colours and fonts -----------------------------------------------------

// The control's back and fore colours in the widget's palette roles; a
// widget in the window's own colours keeps them.
void applyColors(const ui::Control& c, QWidget* w);
// The control's font, where the program set one; else the window's design.
void applyFont(const ui::Control& c, QWidget* w);

// ---- Pictures --------------------------------------------------------------

// The label's source picture, scaled to fit it with its shape kept.
void fitPicture(QLabel* label);
// A picture box shows what was drawn on it, else its picture.
void showPicture(const ui::PictureBox& box, QLabel* label);

// ---- Labels ----------------------------------------------------------------

// A label placed at a fixed position (its window has no layout) keeps the
// size it was designed with, and grows along its line where its caption
// needs more room, from the edge its alignment holds, so that no caption
// is cut off.
void fitPlacedLabel(QLabel* label);

}  // namespace qtui
