// Writes the shipped MIL-PRF-49470 part lists "mil-prf-49470_25.dat" ...
// "mil-prf-49470_500.dat", derived from the catalogue of the folder and the
// engine's construction rules.
//
//   quenta10-gen-part-lists <folder>           writes the five files into folder
//   quenta10-gen-part-lists --check <folder>   compares them with the files there
//   quenta10-gen-part-lists --help             prints the usage
//
// Any problem makes the exit status 1; a command line it does not take, 2.

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "GeneratedFile.h"
#include "catalogue/CatalogueFiles.h"
#include "military/PartListAuthoring.h"

namespace {

constexpr const char* kUsage =
    "usage: quenta10-gen-part-lists [--check] <folder>\n"
    "       quenta10-gen-part-lists --help\n"
    "  <folder>   the catalogue the part lists are derived from, and where the five\n"
    "             part lists are written\n"
    "  --check    compare the part lists in <folder> with what would be written\n";

}  // namespace

int main(int argc, char** argv) {
  generator::CommandLine line;
  if (const auto exit = generator::ReadCommandLine(argc, argv, {"quenta10-gen-part-lists", kUsage},
                                                   {"--check"}, line))
    return *exit;
  const bool check = line.Has("--check");
  if (const auto error = quenta::LoadCatalogueTables(line.folder)) {
    std::cerr << error->Message() << "\n";
    return 1;
  }

  int status = 0;
  std::vector<generator::File> files;
  for (auto& file : quenta::authoring::BuildPartLists()) {
    std::cerr << file.name << ": " << file.records << " records\n";
    for (const std::string& problem : file.problems) {
      std::cerr << "problem: " << file.name << ": " << problem << "\n";
      status = 1;
    }
    files.push_back({std::move(file.name), std::move(file.text)});
  }
  if (!(check ? generator::CheckFiles(line.folder, files) : generator::WriteFiles(line.folder, files)))
    status = 1;
  return status;
}
