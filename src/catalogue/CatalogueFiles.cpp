#include "catalogue/CatalogueFiles.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/NumberText.h"
#include "catalogue/RecordReader.h"
#include "catalogue/TextChars.h"

namespace quenta {

namespace {

constexpr int kDesignRuleFields = 7;
constexpr int kCapLimitFields = 20;
constexpr int kCaseLookupFields = 22;
constexpr long kCaseLookupRecords = 125;

// What a file gave when it was last read through. Read again with the
// same bytes it gives the same tables, which are then copied from here
// instead of being parsed again: the start-up reads the catalogue twice,
// and a copy of the capacitance tables shares their rows.
template <typename Tables>
struct LastRead {
  std::optional<std::string> bytes;
  Tables tables;

  // Copies the tables into `into` when data is what was read last.
  bool Reuse(const std::string& data, Tables& into) const {
    if (!bytes || *bytes != data) return false;
    into = tables;
    return true;
  }
  void Keep(const std::string& data, const Tables& from) {
    bytes = data;
    tables = from;
  }
};

struct LastReads {
  LastRead<DesignRuleTables> designRules;
  LastRead<CapLimitTables::CapTable> maxCap;
  LastRead<CapLimitTables::CapTable> minCap;
  LastRead<CapLimitTables::LookupTable> caseLookup;
  std::vector<MaxCapRecord> maxCapRecords;  // of the bytes in maxCap
};

LastReads& Last() {
  static LastReads last;
  return last;
}

// The files without a record: of the load under way, and of the tables in use.
std::vector<std::string_view> gFreshWithoutRecords;
std::vector<std::string_view> gWithoutRecords;

// The content of a catalogue file, noted when it holds no record.
std::string ReadTableFile(const std::filesystem::path& folder, std::string_view name,
                          std::filesystem::path& path) {
  std::string data = ReadCatalogueFile(folder, name, path);
  if (HoldsNoRecord(data)) gFreshWithoutRecords.push_back(name);
  return data;
}

float SingleField(const RecordReader& records, double value, int field) {
  if (!(std::fabs(value) <= FLT_MAX)) {
    records.Fail(CatalogueFault::Overflow, field,
                 "the value " + FormatGeneral(value) + " is beyond single precision.");
  }
  return static_cast<float>(value);
}

// A count of the design rules (layer multiplier, covers, cascades), kept in
// single precision and taken by the chip design as a whole number: beyond
// the 32-bit range it cannot be used. The no-entry marker -1 passes.
float CountField(const RecordReader& records, double value, int field, const char* what) {
  const float stored = SingleField(records, value, field);
  if (!DesignRuleCount(stored)) {
    records.Fail(CatalogueFault::Overflow, field,
                 std::string("the ") + what + " " + FormatGeneral(value) +
                     " does not fit in a 32-bit integer.");
  }
  return stored;
}

// A capacitance limit, in µF, the program can work with: it is worked in
// farads, microfarads and picofarads and quoted in 15-digit texts that must
// read back as numbers, so a magnitude beyond 1E+300 µF, or one other than
// 0 below 1E-300 µF, cannot be used.
void CheckCapacitance(const RecordReader& records, double value, int field) {
  const double magnitude = std::fabs(value);
  if (value == 0 || (magnitude >= 1e-300 && magnitude <= 1e300)) return;
  records.Fail(CatalogueFault::Overflow, field,
               "the capacitance " + FormatGeneral(value) +
                   " \u00B5F is beyond what the program can use (1E-300 to 1E+300 \u00B5F).");
}

void LoadDesignRules(const std::filesystem::path& folder, DesignRuleTables& rules) {
  std::filesystem::path path;
  const std::string data = ReadTableFile(folder, kDesignRuleFile, path);
  if (Last().designRules.Reuse(data, rules)) return;
  RecordReader records(kDesignRuleFile, path, data, kDesignRuleFields);
  while (records.NextRecord()) {
    double f[kDesignRuleFields];
    for (double& value : f) value = records.Number();
    const int dielectric = records.Index(f[0], 1, 0, 5, "dielectric");
    const int voltage = records.Index(f[1], 2, 0, 18, "voltage");
    const int commercial = records.Index(f[2], 3, 0, 1, "commercial flag");
    rules.DesignRule1(commercial, dielectric, voltage) = SingleField(records, f[3], 4);
    rules.DesignRule2(commercial, dielectric, voltage) =
        CountField(records, f[4], 5, "layer multiplier");
    rules.DesignRule3(commercial, dielectric, voltage) =
        CountField(records, f[5], 6, "cover layer count");
    rules.DesignRule4(commercial, dielectric, voltage) =
        CountField(records, f[6], 7, "cascade count");
  }
  Last().designRules.Keep(data, rules);
}

void LoadCapLimits(const std::filesystem::path& folder, std::string_view name,
                   CapLimitTables& tables, bool maximum) {
  std::filesystem::path path;
  const std::string data = ReadTableFile(folder, name, path);
  LastRead<CapLimitTables::CapTable>& last = maximum ? Last().maxCap : Last().minCap;
  CapLimitTables::CapTable& table = maximum ? tables.MaxCapTable : tables.MinCapTable;
  if (last.Reuse(data, table)) return;
  std::vector<MaxCapRecord> maxCapRecords;
  RecordReader records(name, path, data, kCapLimitFields);
  while (records.NextRecord()) {
    records.SkipText();
    const double series = records.Number();
    const double caseIndex = records.Number();
    const double dielectric = records.Number();
    std::array<double, 16> capacitances;
    for (double& value : capacitances) value = records.Number();
    for (std::size_t k = 0; k < capacitances.size(); ++k)
      CheckCapacitance(records, capacitances[k], static_cast<int>(k) + 5);
    const int s = records.Index(series, 2, 0, 25, "series");
    const int c = records.Index(caseIndex, 3, 0, 125, "case");
    const int d = records.Index(dielectric, 4, 0, 5, "dielectric");
    if (maximum) {
      StoreMaxCapRow(tables, {}, s, c, d, capacitances);
      MaxCapRecord& record = maxCapRecords.emplace_back();
      record.Series = static_cast<int16_t>(s);
      record.CaseIndex = static_cast<int16_t>(c);
      record.Dielectric = static_cast<int16_t>(d);
      for (std::size_t k = 0; k < capacitances.size(); ++k) {
        if (capacitances[k] != -1) record.Offered |= static_cast<uint16_t>(1u << k);
      }
    } else {
      StoreMinCapRow(tables, {}, s, c, d, capacitances);
    }
  }
  last.Keep(data, table);
  if (maximum) Last().maxCapRecords = std::move(maxCapRecords);
}

void LoadCaseLookup(const std::filesystem::path& folder, CapLimitTables& tables) {
  std::filesystem::path path;
  const std::string data = ReadTableFile(folder, kCaseLookupFile, path);
  if (Last().caseLookup.Reuse(data, tables.CaseLookup)) return;
  RecordReader records(kCaseLookupFile, path, data, kCaseLookupFields);
  while (records.NextRecord()) {
    const long row = records.Record();
    if (row > kCaseLookupRecords) {
      records.Fail(CatalogueFault::TooManyRecords, 0,
                   "the file holds more than 125 records (one for each case index 1 to 125).");
    }
    for (int k = 1; k <= kCaseLookupFields; ++k) {
      const double value = records.Number();
      const double rounded = RoundHalfEven(value);
      if (!(rounded >= INT16_MIN && rounded <= INT16_MAX)) {
        records.Fail(CatalogueFault::Overflow, k,
                     "the case position " + FormatGeneral(value) +
                         " does not fit in a 16-bit integer.");
      }
      tables.CaseLookup(row, k) = static_cast<int16_t>(rounded);
    }
  }
  Last().caseLookup.Keep(data, tables.CaseLookup);
}

void StoreCapRow(CapLimitTables::CapTable& table, int series, int caseIndex, int dielectric,
                 std::span<const double, 16> capacitances) {
  const auto row = table.Row(series, caseIndex, dielectric);
  for (std::size_t k = 0; k < kCapRecordVoltages.size(); ++k) {
    row[static_cast<std::size_t>(kCapRecordVoltages[k])] = capacitances[k];
  }
}

}  // namespace

void StoreMaxCapRow(CapLimitTables& tables, std::string_view /*ignored*/, int series,
                    int caseIndex, int dielectric, std::span<const double, 16> capacitances) {
  StoreCapRow(tables.MaxCapTable, series, caseIndex, dielectric, capacitances);
}

void StoreMinCapRow(CapLimitTables& tables, std::string_view /*ignored*/, int series,
                    int caseIndex, int dielectric, std::span<const double, 16> capacitances) {
  StoreCapRow(tables.MinCapTable, series, caseIndex, dielectric, capacitances);
}

std::optional<CatalogueError> LoadCatalogueTables(const std::filesystem::path& folder) {
  // A load fills spare tables, allocated on the first load and reused by
  // every later one; they change places with the tables in use only when
  // the whole catalogue has been read.
  static DesignRuleTables freshRules;
  static CapLimitTables freshLimits;

  freshRules.DesignRule1.Fill(-1);
  freshRules.DesignRule2.Fill(-1);
  freshRules.DesignRule3.Fill(-1);
  freshRules.DesignRule4.Fill(-1);
  freshLimits.MaxCapTable.Fill(-1);
  freshLimits.MinCapTable.Fill(-1);
  freshLimits.CaseLookup.Fill(-1);
  gFreshWithoutRecords.clear();

  try {
    LoadDesignRules(folder, freshRules);
    LoadCapLimits(folder, kMaxCapFile, freshLimits, true);
    LoadCapLimits(folder, kMinCapFile, freshLimits, false);
    LoadCaseLookup(folder, freshLimits);
  } catch (const CatalogueFailure& failure) {
    return failure.Error;
  }

  gDesignRules.DesignRule1.swap(freshRules.DesignRule1);
  gDesignRules.DesignRule2.swap(freshRules.DesignRule2);
  gDesignRules.DesignRule3.swap(freshRules.DesignRule3);
  gDesignRules.DesignRule4.swap(freshRules.DesignRule4);
  gCapLimits.MaxCapTable.swap(freshLimits.MaxCapTable);
  gCapLimits.MinCapTable.swap(freshLimits.MinCapTable);
  gCapLimits.CaseLookup.swap(freshLimits.CaseLookup);
  gWithoutRecords.swap(gFreshWithoutRecords);
  return std::nullopt;
}

const std::vector<std::string_view>& CatalogueFilesWithoutRecords() { return gWithoutRecords; }

void ForgetCatalogueReads() { Last() = LastReads{}; }

const std::vector<MaxCapRecord>* LoadedMaxCapRecords(std::string_view data) {
  const LastReads& last = Last();
  if (!last.maxCap.bytes || *last.maxCap.bytes != data) return nullptr;
  return &last.maxCapRecords;
}

std::optional<int32_t> DesignRuleCount(float value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) return std::nullopt;
  return static_cast<int32_t>(rounded);
}

std::string CatalogueError::Place() const {
  std::string where = File;
  if (Record > 0) where += ", record " + std::to_string(Record);
  if (Field > 0) where += ", field " + std::to_string(Field);
  return where;
}

// Whether the words say which folder the file was looked for or found in.
bool CatalogueError::DetailNamesFolder() const {
  return Fault == CatalogueFault::MissingFile || Fault == CatalogueFault::NoRecord;
}

std::string CatalogueError::PlaceInFolder() const {
  if (DetailNamesFolder() || Path.empty()) return Place();
  std::string where = File + " in the program folder " + EscapeNonText(Path.parent_path().string());
  if (Record > 0 || Field > 0) where += Place().substr(File.size()) + ",";
  return where;
}

std::string CatalogueError::Message() const {
  std::string message = "Catalogue file " + Place() + ": " + Detail;
  // The words of a missing or empty file already name the folder.
  if (!Path.empty() && !DetailNamesFolder())
    message += "\n(" + EscapeNonText(Path.string()) + ")";
  return message;
}

}  // namespace quenta
