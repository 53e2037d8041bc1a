// What the data generators share: writing a generated file, or checking
// that the committed one is still what the generator produces.
#pragma once

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace generator {

// Writes text to path, or with check compares it with the file there.
// False (with a line on standard error) when the file differs or cannot
// be written.
inline bool WriteOrCheck(const std::filesystem::path& path, const std::string& text, bool check) {
  if (check) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream committed;
    committed << in.rdbuf();
    if (committed.str() == text) return true;
    std::cerr << path.string() << " differs from what the generator produces\n";
    return false;
  }
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (out) return true;
  std::cerr << "cannot write " << path.string() << "\n";
  return false;
}

}  // namespace generator
