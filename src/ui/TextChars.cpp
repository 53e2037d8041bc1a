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

// The length of the printable UTF-8 character at the start of text; 0 when
// its first byte begins none: a control character, a byte that cannot
// start a character, a sequence cut short, written longer than it needs
// (overlong), standing for a surrogate or lying beyond U+10FFFF.
std::size_t PrintableCharLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return lead >= 0x20 && lead != 0x7F ? 1 : 0;
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(text[i])) return 0;
    code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3Fu);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kShortest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  // The C1 control characters.
  return code <= 0x9F ? 0 : length;
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

std::size_t WholeCharEnd(std::string_view text, std::size_t pos) {
  const std::size_t last = pos + 3;
  while (pos < text.size() && pos < last && IsContinuation(text[pos])) ++pos;
  return pos;
}

std::string EscapeNonText(std::string_view text) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (const std::size_t length = PrintableCharLength(text.substr(pos))) {
      out.append(text.substr(pos, length));
      pos += length;
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[pos++]);
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
  }
  return out;
}

std::string WithLineFeeds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\r' ? '\n' : text[i];
  }
  return out;
}

}  // namespace ui
