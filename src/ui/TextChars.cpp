#include "ui/TextChars.h"

namespace ui {

namespace {

// A continuation byte of a multi-byte UTF-8 sequence.
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset at which the last n characters begin (0 if there are fewer).
std::size_t StartOfLastChars(std::string_view text, std::size_t n) {
  std::size_t pos = text.size();
  while (n > 0 && pos > 0) {
    --pos;
    while (pos > 0 && IsContinuation(text[pos])) --pos;
    --n;
  }
  return pos;
}

}  // namespace

std::size_t CharCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) {
    if (!IsContinuation(c)) ++count;
  }
  return count;
}

std::string RightChars(std::string_view text, std::size_t n) {
  return std::string(text.substr(StartOfLastChars(text, n)));
}

std::string DropRightChars(std::string_view text, std::size_t n) {
  return std::string(text.substr(0, StartOfLastChars(text, n)));
}

std::size_t CharOffset(std::string_view text, std::size_t n) {
  std::size_t pos = 0;
  for (; pos < text.size(); ++pos) {
    if (IsContinuation(text[pos])) continue;
    if (n == 0) return pos;
    --n;
  }
  return text.size();
}

}  // namespace ui
