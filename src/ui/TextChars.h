#pragma once

// Character-wise operations on UTF-8 texts: "the last two characters" of
// "82 µF" are "µF", not the two bytes of the "µ" sign and "F". Text boxes
// count their selection in these characters too.

#include <cstddef>
#include <string>
#include <string_view>

namespace ui {

// Number of characters (code points) in a UTF-8 text.
std::size_t CharCount(std::string_view text);

// The last n characters of the text; the whole text when it is shorter.
std::string RightChars(std::string_view text, std::size_t n);

// The text without its last n characters; empty when it is not longer.
std::string DropRightChars(std::string_view text, std::size_t n);

// Byte offset at which character n begins; the text's size when it holds
// n characters or fewer.
std::size_t CharOffset(std::string_view text, std::size_t n);

// The first character boundary at or after byte pos, looking no more than
// three bytes on (no character is longer than four): a cut there keeps the
// character it falls into whole.
std::size_t WholeCharEnd(std::string_view text, std::size_t pos);

// The text as a message may show it: every byte that is not part of a
// printable UTF-8 character (a control character, or a byte of no valid
// UTF-8 sequence, as in binary data or a Latin-1 name) written as \xNN,
// two upper-case hexadecimal digits.
std::string EscapeNonText(std::string_view text);

// A message's text for a terminal: its line breaks (CR LF, or a CR alone)
// as line feeds.
std::string WithLineFeeds(std::string_view text);

}  // namespace ui
