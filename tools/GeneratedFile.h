// What the data generators share: their command line, and writing the
// generated files or checking that the committed ones are still what the
// generator produces.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ToolUsage.h"
#include "catalogue/FileLookup.h"
#include "catalogue/RecordReader.h"
#include "graph/SafeFileWrite.h"

namespace generator {

// A generated file: its name in the folder and its text.
struct File {
  std::string name;
  std::string text;
};

// A generator's command line: the options given, and the one folder.
struct CommandLine {
  std::vector<std::string> options;
  std::filesystem::path folder;

  bool Has(std::string_view option) const {
    for (const std::string& given : options)
      if (given == option) return true;
    return false;
  }
};

// Reads the command line of a generator, which takes the options `known`
// and one folder, into line. Nothing when the run goes on, else the exit
// status: --help (or -h) prints the usage, 0; an unknown option, no folder
// or more than one is refused, 2 (see ToolUsage.h). The arguments are
// taken in order, so the first of these decides.
inline std::optional<int> ReadCommandLine(int argc, char** argv, const tool::Usage& usage,
                                          std::initializer_list<std::string_view> known,
                                          CommandLine& line) {
  auto refuse = [&](const std::string& why) { return usage.Refuse(why.c_str()); };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (tool::Usage::AsksForHelp(argv[i])) return usage.Help();
    if (arg.starts_with("-")) {
      bool taken = false;
      for (const std::string_view option : known) taken = taken || arg == option;
      if (!taken) return usage.RefuseOption(argv[i]);
      line.options.push_back(arg);
    } else if (!line.folder.empty()) {
      return refuse("more than one folder: " + line.folder.string() + ", " + arg);
    } else {
      line.folder = arg;
    }
  }
  if (line.folder.empty()) return refuse("no folder given");
  return std::nullopt;
}

// Compares each file with the file of that name in folder, read as the
// program reads its files (anything but a regular file of a catalogue
// file's size is refused, named). False (with a line on standard error for
// each) when a file differs or cannot be read.
inline bool CheckFiles(const std::filesystem::path& folder, const std::vector<File>& files) {
  bool ok = true;
  for (const File& file : files) {
    std::filesystem::path found;
    try {
      if (quenta::ReadCatalogueFileBytes(folder, file.name, found) == file.text) continue;
      std::cerr << found.string() << " differs from what the generator produces\n";
    } catch (const quenta::CatalogueFailure& failure) {
      std::cerr << "problem: " << failure.Error.Message() << "\n";
    }
    ok = false;
  }
  return ok;
}

// Writes the files into folder. False (with a line on standard error) when
// one cannot be written.
//
// Before anything is written every target is looked at: a folder, a named
// pipe, a device, a broken link or a loop of links in a target's place is
// named and nothing is written, as a pipe would hold the write for good
// and a device would swallow it. A link to a file is followed. Each file
// is written through a temporary file that then takes its place, so a
// failed write leaves the old file whole.
inline bool WriteFiles(const std::filesystem::path& folder, const std::vector<File>& files) {
  bool ok = true;
  for (const File& file : files) {
    const std::filesystem::path path = folder / file.name;
    const quenta::FileKind kind = quenta::FileKindAt(path);
    if (kind == quenta::FileKind::Missing || kind == quenta::FileKind::Regular) continue;
    std::cerr << "cannot write " << path.string() << ": in place of the file the folder holds "
              << quenta::FileKindText(kind) << ".\n";
    ok = false;
  }
  if (!ok) {
    std::cerr << "no file was written\n";
    return false;
  }
  for (const File& file : files) {
    const std::filesystem::path path = folder / file.name;
    if (const auto error = quenta::WriteFileReplacing(path.string(), file.text)) {
      std::cerr << "cannot write " << path.string() << ": " << *error << "\n";
      return false;
    }
  }
  return true;
}

}  // namespace generator
