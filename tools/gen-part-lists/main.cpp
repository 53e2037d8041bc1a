// Writes the shipped MIL-PRF-49470 part lists "mil-prf-49470_25.dat" ...
// "mil-prf-49470_500.dat", derived from the catalogue of the folder and the
// engine's construction rules.
//
//   quenta10-gen-part-lists <folder>           writes the five files into folder
//   quenta10-gen-part-lists --check <folder>   compares them with the files there

#include <filesystem>
#include <iostream>
#include <string>

#include "GeneratedFile.h"
#include "catalogue/CatalogueFiles.h"
#include "military/PartListAuthoring.h"

int main(int argc, char** argv) {
  bool check = false;
  std::filesystem::path folder;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--check") check = true;
    else folder = arg;
  }
  if (folder.empty()) {
    std::cerr << "usage: quenta10-gen-part-lists [--check] <folder>\n";
    return 2;
  }
  if (const auto error = quenta::LoadCatalogueTables(folder)) {
    std::cerr << error->Message() << "\n";
    return 1;
  }

  int status = 0;
  for (const auto& file : quenta::authoring::BuildPartLists()) {
    std::cerr << file.name << ": " << file.records << " records\n";
    for (const std::string& problem : file.problems) {
      std::cerr << "problem: " << file.name << ": " << problem << "\n";
      status = 1;
    }
    if (!generator::WriteOrCheck(folder, file.name, file.text, check)) {
      if (!check) return 1;
      status = 1;
    }
  }
  return status;
}
