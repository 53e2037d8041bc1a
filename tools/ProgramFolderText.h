// What the tools print names the program folder as "<program folder>", so
// that it reads the same wherever the folder is.
#pragma once

#include <string>
#include <string_view>

#include "mainwindow/Program.h"

namespace tool {

inline std::string WithProgramFolderNamed(std::string text) {
  const std::string& folder = quenta::ProgramFolder();
  if (folder.empty()) return text;
  // The search goes on after each replacement: a folder named "folder"
  // is found in "<program folder>" too.
  constexpr std::string_view kShown = "<program folder>";
  for (std::size_t at = 0; (at = text.find(folder, at)) != std::string::npos; at += kShown.size())
    text.replace(at, folder.size(), kShown);
  return text;
}

}  // namespace tool
