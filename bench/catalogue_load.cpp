// One full catalogue load: presetting the tables and reading the four data
// files, on a generated catalogue at least as large as the maker's own.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "catalogue/CatalogueFiles.h"

namespace fs = std::filesystem;

namespace {

// A catalogue in a temporary folder, removed when the benchmark ends:
// every design rule, 25 series x 60 cases x 4 dielectrics in each
// capacitance file (6,000 records of 20 fields) and all 125 case rows.
class LargeCatalogue {
 public:
  LargeCatalogue()
      : folder_(fs::temp_directory_path() /
                ("quenta-bench-catalogue-" + std::to_string(::getpid()))) {
    fs::create_directories(folder_);
    std::ofstream rules(folder_ / "DESNPARA.DAT");
    for (int c = 0; c <= 1; ++c) {
      for (int d = 0; d <= 5; ++d) {
        for (int v = 0; v <= 18; ++v) {
          rules << d << ',' << v << ',' << c << ",1.25," << (1 + v % 3) << ',' << (3 + d)
                << ',' << (1 + v % 2) << '\n';
        }
      }
    }
    WriteCapFile("CLCMXCAP.DAT", 10.0);
    WriteCapFile("CLCMinCAP.DAT", 0.0001);
    std::ofstream lookup(folder_ / "LUKUPCAS.DAT");
    for (int n = 1; n <= 125; ++n) {
      for (int k = 1; k <= 22; ++k) lookup << (k > 1 ? "," : "") << (n <= 60 ? n - 1 : -1);
      lookup << '\n';
    }
  }
  ~LargeCatalogue() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  const fs::path& Folder() const { return folder_; }

 private:
  void WriteCapFile(const char* name, double base) {
    std::ofstream out(folder_ / name);
    for (int s = 1; s <= 25; ++s) {
      for (int c = 1; c <= 60; ++c) {
        for (int d = 1; d <= 4; ++d) {
          out << "KD," << s << ',' << c << ',' << d;
          for (int v = 0; v < 16; ++v) {
            out << ',';
            if (v > 10) {
              out << -1;
            } else {
              out << base * (c + d) / (v + 1);
            }
          }
          out << '\n';
        }
      }
    }
  }

  fs::path folder_;
};

void BM_LoadCatalogue(benchmark::State& state) {
  static const LargeCatalogue catalogue;
  for (auto _ : state) {
    // Each load parses every file, as at a start of the program, rather
    // than taking the files from the load before.
    quenta::ForgetCatalogueReads();
    const auto error = quenta::LoadCatalogueTables(catalogue.Folder());
    if (error) {
      state.SkipWithError(error->Message().c_str());
      break;
    }
  }
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace
