// What the tools print names the program folder as "<program folder>", so
// that it reads the same wherever the folder is.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "mainwindow/Program.h"
#include "ui/TextChars.h"

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

// Why a tool refuses the folder it is given as the program folder, as it
// says so on standard error ("quenta10-script: the program folder /x is not
// a folder", the folder's bytes that are not text as \xNN); empty when the
// folder can serve. A folder that cannot be entered cannot be read: its
// files would all read as missing.
inline std::string ProgramFolderRefusal(std::string_view tool, const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(folder, ec);
  std::string fault;
  if (status.type() == fs::file_type::not_found) {
    fault = "does not exist";
  } else if (ec) {
    fault = "cannot be read: " + ec.message();
  } else if (!fs::is_directory(status)) {
    fault = "is not a folder";
  } else if (::access(folder.c_str(), X_OK) != 0) {
    fault = std::string("cannot be read: ") + std::strerror(errno);
  } else {
    return {};
  }
  return std::string(tool) + ": the program folder " + ui::EscapeNonText(folder.string()) + " " +
         fault + "\n";
}

}  // namespace tool
