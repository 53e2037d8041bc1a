// What the data generators share: writing a generated file, or checking
// that the committed one is still what the generator produces.
#pragma once

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "catalogue/RecordReader.h"

namespace generator {

// Writes text to the file `name` of folder, or with check compares it with
// the file there, read as the program reads its files (anything but a
// regular file of a catalogue file's size is refused, named). False (with
// a line on standard error) when the file differs or cannot be read or
// written.
inline bool WriteOrCheck(const std::filesystem::path& folder, std::string_view name,
                         const std::string& text, bool check) {
  const std::filesystem::path path = folder / name;
  if (check) {
    std::filesystem::path found;
    try {
      if (quenta::ReadCatalogueFileBytes(folder, name, found) == text) return true;
    } catch (const quenta::CatalogueFailure& failure) {
      std::cerr << "problem: " << failure.Error.Message() << "\n";
      return false;
    }
    std::cerr << found.string() << " differs from what the generator produces\n";
    return false;
  }
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (out) return true;
  std::cerr << "cannot write " << path.string() << "\n";
  return false;
}

}  // namespace generator
