#pragma once

// The character-wise text operations (ui/TextChars.h) under the program's
// own names.

#include "ui/TextChars.h"

namespace quenta {

using ui::CharCount;
using ui::DropRightChars;
using ui::EscapeNonText;
using ui::RightChars;
using ui::WholeCharEnd;

}  // namespace quenta
