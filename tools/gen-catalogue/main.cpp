// Writes the shipped catalogue: DESNPARA.DAT, CLCMXCAP.DAT, CLCMinCAP.DAT
// and LUKUPCAS.DAT, derived from the engine's construction rules.
//
//   quenta10-gen-catalogue <folder>     writes the four files into folder
//   quenta10-gen-catalogue --check <folder>
//                                      compares them with the files there,
//                                      and checks that every value those
//                                      files offer, and every MIL-PRF-123
//                                      part, designs without a dialog
//   quenta10-gen-catalogue --gaps <folder>
//                                      also lists the E24 values between
//                                      a combination's limits that ask a
//                                      question or show a notice, offered
//                                      or not
//   quenta10-gen-catalogue --help      prints the usage
//
// Any problem is reported on standard error ("problem: ...") and makes the
// exit status 1; a command line it does not take, 2.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "GeneratedFile.h"
#include "catalogue/CatalogueFiles.h"
#include "engine/CatalogueAuthoring.h"
#include "military/Mil123Check.h"

namespace {

// The E24 values inside each offered range that do not design quietly.
void ListGaps(const quenta::authoring::Catalogue& catalogue) {
  for (const auto& limit : catalogue.limits) {
    if (limit.maxUf <= 0 || limit.combination.series >= 23) continue;
    std::string values;
    for (const double uf : quenta::authoring::E24Values()) {
      if (uf <= limit.minUf || uf >= limit.maxUf) continue;
      if (!quenta::authoring::TryDesign(limit.combination, uf).Passes()) {
        values += ' ';
        values += quenta::authoring::ListedText(uf);
      }
    }
    if (values.empty()) continue;
    const auto& c = limit.combination;
    std::cerr << "gaps: series " << c.series << " case " << c.caseIndex << " dielectric "
              << c.dielectric << " voltage " << c.voltage << ":" << values << "\n";
  }
}

constexpr const char* kUsage =
    "usage: quenta10-gen-catalogue [--check] [--gaps] <folder>\n"
    "       quenta10-gen-catalogue --help\n"
    "  <folder>   where the four catalogue files are written\n"
    "  --check    compare the files in <folder> with what would be written, and check\n"
    "             that every offered value and every MIL-PRF-123 part designs\n"
    "  --gaps     also list the E24 values within each offered range that do not design\n";

}  // namespace

int main(int argc, char** argv) {
  generator::CommandLine line;
  if (const auto exit = generator::ReadCommandLine(argc, argv, {"quenta10-gen-catalogue", kUsage},
                                                   {"--check", "--gaps"}, line))
    return *exit;
  const bool check = line.Has("--check");
  const std::filesystem::path& folder = line.folder;

  // The files there as the program reads them: what the program's start-up
  // refuses (a file missing or damaged, anything but a file of a catalogue
  // file's size in its place) is refused before anything is derived.
  auto loadChecked = [&folder] {
    const auto error = quenta::LoadCatalogueTables(folder);
    if (error) std::cerr << "problem: " << error->Message() << "\n";
    return !error;
  };
  if (check && !loadChecked()) return 1;

  const quenta::authoring::Catalogue catalogue = quenta::authoring::BuildCatalogue();
  for (const std::string& problem : catalogue.problems) std::cerr << "problem: " << problem << "\n";

  int offered = 0;
  for (const auto& limit : catalogue.limits) offered += limit.maxUf > 0 ? 1 : 0;
  for (const auto& limit : catalogue.limits) {
    if (limit.maxUf > 0) continue;
    const auto& c = limit.combination;
    std::cerr << "not offered: series " << c.series << " case " << c.caseIndex << " dielectric "
              << c.dielectric << " voltage " << c.voltage << "\n";
  }
  if (line.Has("--gaps")) ListGaps(catalogue);
  std::cerr << catalogue.limits.size() << " reachable combinations, " << offered << " offered, "
            << catalogue.designRules.size() << " design-rule rows\n";

  const std::vector<generator::File> files = {
      {"DESNPARA.DAT", catalogue.DesignRuleFile()},
      {"CLCMXCAP.DAT", catalogue.MaxCapFile()},
      {"CLCMinCAP.DAT", catalogue.MinCapFile()},
      {"LUKUPCAS.DAT", catalogue.CaseLookupFile()},
  };
  int status = catalogue.problems.empty() ? 0 : 1;
  if (!check && !generator::WriteFiles(folder, files)) return 1;
  if (check && !generator::CheckFiles(folder, files)) status = 1;
  if (check) {
    // The folder's own design rules again, in place of the rows the
    // derivation loaded.
    if (!loadChecked()) return 1;
    for (const std::string& problem :
         quenta::authoring::OfferedValueProblems(quenta::authoring::LimitsInForce())) {
      std::cerr << "problem: " << problem << "\n";
      status = 1;
    }
    const quenta::authoring::Mil123CodeCheck mil123 = quenta::authoring::CheckMil123Codes();
    for (const std::string& known : mil123.known)
      std::cerr << "known: MIL-PRF-123 " << known << "\n";
    for (const std::string& problem : mil123.problems) {
      std::cerr << "problem: MIL-PRF-123 " << problem << "\n";
      status = 1;
    }
    std::cerr << mil123.codes << " MIL-PRF-123 codes designed\n";
  }
  return status;
}
