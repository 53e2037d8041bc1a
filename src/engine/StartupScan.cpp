#include "engine/StartupScan.h"

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DesignState.h"
#include "catalogue/RecordReader.h"
#include "engine/DesignRules.h"
#include "engine/ModelCoefficients.h"

namespace quenta {

namespace {

constexpr int kFields = 20;

// One offered entry through the rules and the geometry.
void CheckEntry(int series, int caseIndex, int dielectric, int voltage) {
  gSelection.SeriesIndex = static_cast<int16_t>(series);
  gSelection.CaseIndex = static_cast<int16_t>(caseIndex);
  gSelection.DielectricIndex = static_cast<int16_t>(dielectric);
  gSelection.VoltageIndex = static_cast<int16_t>(voltage);
  const int commercial = gSelection.CommercialFlag != 0 ? 1 : 0;
  const float t = gDesignRules.DesignRule1(commercial, dielectric, voltage);
  const float m = gDesignRules.DesignRule2(commercial, dielectric, voltage);
  const float cascades = gDesignRules.DesignRule4(commercial, dielectric, voltage);
  gChip.DielThickness = t;
  gChip.DielThicknessIsSingle = true;
  gChip.Mult = DesignRuleCount(m).value_or(0);
  gChip.Cascades = DesignRuleCount(cascades).value_or(0);
  SetDesignRules();
  SetModelCoefficients();
}

}  // namespace

std::optional<CatalogueError> ScanMaxCapEntries(const std::filesystem::path& folder) {
  try {
    std::filesystem::path path;
    const std::string data = ReadCatalogueFile(folder, kMaxCapFile, path);
    // The file the loader has just read through: its records as the loader
    // found them, in the same order.
    if (const std::vector<MaxCapRecord>* loaded = LoadedMaxCapRecords(data)) {
      for (const MaxCapRecord& r : *loaded) {
        for (std::size_t k = 0; k < kCapRecordVoltages.size(); ++k) {
          if (r.Offered & (1u << k)) {
            CheckEntry(r.Series, r.CaseIndex, r.Dielectric, kCapRecordVoltages[k]);
          }
        }
      }
      return std::nullopt;
    }
    RecordReader records(kMaxCapFile, path, data, kFields);
    while (records.NextRecord()) {
      // Each index is checked as it is read, and each entry as its
      // capacitance is read, so the entries before a fault are checked.
      records.SkipText();
      const int series = records.Index(records.Number(), 2, 0, 25, "series");
      const int caseIndex = records.Index(records.Number(), 3, 0, 125, "case");
      const int dielectric = records.Index(records.Number(), 4, 0, 5, "dielectric");
      for (const int voltage : kCapRecordVoltages) {
        if (records.Number() == -1) continue;
        CheckEntry(series, caseIndex, dielectric, voltage);
      }
    }
  } catch (const CatalogueFailure& failure) {
    return failure.Error;
  }
  return std::nullopt;
}

}  // namespace quenta
