#include "catalogue/CatalogueFiles.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <utility>

#include "catalogue/FileLookup.h"
#include "catalogue/NumberText.h"

namespace quenta {

namespace {

constexpr int kDesignRuleFields = 7;
constexpr int kCapLimitFields = 20;
constexpr int kCaseLookupFields = 22;
constexpr long kCaseLookupRecords = 125;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsWhite(char c) { return IsBlank(c) || c == '\r' || c == '\n'; }
bool IsTerminator(char c) { return c == ',' || c == '\r' || c == '\n'; }

// Splits a data file into fields. A field ends at a comma, a line break
// (CR, LF or CR LF) or the end of the data, so a blank line is one empty
// field.
class FieldReader {
 public:
  explicit FieldReader(std::string_view data) : data_(data), contentEnd_(data.size()) {
    while (contentEnd_ > 0 && IsWhite(data_[contentEnd_ - 1])) --contentEnd_;
  }

  // True when nothing but white space is left. Asked before each record:
  // white space after the last complete record is the end of the file.
  bool AtEnd() const { return pos_ >= contentEnd_; }

  // Reads the next field's text without the blanks around it. False when
  // the data ended before the field.
  bool Next(std::string_view& field) {
    if (!StartField()) return false;
    field = TakeToTerminator();
    return true;
  }

  // Like Next for a field read as text: a text in double quotes is taken
  // whole, commas included, and the rest of the field after it is passed
  // over.
  bool NextText(std::string_view& field) {
    if (!StartField()) return false;
    if (pos_ < data_.size() && data_[pos_] == '"') {
      const std::size_t open = pos_ + 1;
      const std::size_t close = data_.find('"', open);
      if (close == std::string_view::npos) {
        field = data_.substr(open);
        pos_ = data_.size();
        afterComma_ = false;
        return true;
      }
      field = data_.substr(open, close - open);
      pos_ = close + 1;
      TakeToTerminator();
      return true;
    }
    field = TakeToTerminator();
    return true;
  }

 private:
  // Skips the blanks before a field. At the end of the data only a comma
  // just read still promises a field, an empty one.
  bool StartField() {
    while (pos_ < data_.size() && IsBlank(data_[pos_])) ++pos_;
    if (pos_ < data_.size()) return true;
    if (!afterComma_) return false;
    afterComma_ = false;
    return true;
  }

  std::string_view TakeToTerminator() {
    const std::size_t start = pos_;
    while (pos_ < data_.size() && !IsTerminator(data_[pos_])) ++pos_;
    std::string_view text = data_.substr(start, pos_ - start);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    afterComma_ = false;
    if (pos_ < data_.size()) {
      const char c = data_[pos_++];
      if (c == ',') {
        afterComma_ = true;
      } else if (c == '\r' && pos_ < data_.size() && data_[pos_] == '\n') {
        ++pos_;
      }
    }
    return text;
  }

  std::string_view data_;
  std::size_t contentEnd_;
  std::size_t pos_ = 0;
  bool afterComma_ = false;
};

// Raised inside a load to abandon it; caught by LoadCatalogueTables.
struct LoadFailure {
  CatalogueError error;
};

// A field's text in double quotes as it may appear in a message: control
// characters replaced, long texts cut.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kMax = 40;
  std::string out(1, '"');
  for (char c : text.substr(0, kMax)) {
    out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
  }
  if (text.size() > kMax) out += "...";
  out += '"';
  return out;
}

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value) {
  const double down = std::floor(value);
  const double diff = value - down;
  if (diff < 0.5) return down;
  if (diff > 0.5) return down + 1;
  return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

// Reads one file record by record, with the position of the current field
// at hand for any report.
class RecordReader {
 public:
  RecordReader(std::string_view file, const std::filesystem::path& path, std::string_view data,
               int fieldsPerRecord)
      : file_(file), path_(path), reader_(data), fieldsPerRecord_(fieldsPerRecord) {}

  // Starts the next record; false at the end of the file.
  bool NextRecord() {
    if (reader_.AtEnd()) return false;
    ++record_;
    field_ = 0;
    return true;
  }

  long Record() const { return record_; }

  double Number() {
    const std::string_view text = Take();
    if (text.empty()) return 0;
    double value = 0;
    const NumberStatus status = ParseWholeNumber(text, value);
    if (status == NumberStatus::Ok) return value;
    if (status == NumberStatus::NotANumber) {
      Fail(CatalogueFault::NotANumber, field_, Quoted(text).append(" is not a number."));
    }
    Fail(CatalogueFault::Overflow, field_,
         std::string("the number ").append(Quoted(text)).append(" is too large in magnitude."));
  }

  void SkipText() {
    std::string_view text;
    if (!reader_.NextText(text)) FailEndOfFile();
    ++field_;
  }

  // The rounded index in field `field` of the current record, which must
  // lie within first to last.
  int Index(double value, int field, int first, int last, std::string_view what) const {
    const double rounded = RoundHalfEven(value);
    if (rounded < first || rounded > last) {
      Fail(CatalogueFault::IndexOutOfRange, field,
           "the " + std::string(what) + " index " + FormatGeneral(value) + " is outside " +
               std::to_string(first) + " to " + std::to_string(last) + ".");
    }
    return static_cast<int>(rounded);
  }

  [[noreturn]] void Fail(CatalogueFault fault, int field, std::string detail) const {
    throw LoadFailure{CatalogueError{fault, std::string(file_), path_, record_, field,
                                     std::move(detail)}};
  }

 private:
  std::string_view Take() {
    std::string_view text;
    if (!reader_.Next(text)) FailEndOfFile();
    ++field_;
    return text;
  }

  [[noreturn]] void FailEndOfFile() const {
    Fail(CatalogueFault::EndOfFileInRecord, field_ + 1,
         "the file ends inside this record, which needs " + std::to_string(fieldsPerRecord_) +
             " fields.");
  }

  std::string_view file_;
  const std::filesystem::path& path_;
  FieldReader reader_;
  int fieldsPerRecord_;
  long record_ = 0;
  int field_ = 0;
};

// The whole content of a catalogue file of the folder.
std::string ReadCatalogueFile(const std::filesystem::path& folder, std::string_view name,
                              std::filesystem::path& path) {
  const auto found = FindFileIgnoringCase(folder, name);
  if (!found) {
    path = folder;
    throw LoadFailure{CatalogueError{CatalogueFault::MissingFile, std::string(name), folder, 0, 0,
                                     "the file is missing from the program folder."}};
  }
  path = *found;
  std::ifstream in(path, std::ios::binary);
  std::string data;
  if (in) data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    throw LoadFailure{CatalogueError{CatalogueFault::UnreadableFile, std::string(name), path, 0,
                                     0, "the file cannot be read."}};
  }
  return data;
}

float SingleField(const RecordReader& records, double value, int field) {
  if (!(std::fabs(value) <= FLT_MAX)) {
    records.Fail(CatalogueFault::Overflow, field,
                 "the value " + FormatGeneral(value) + " is beyond single precision.");
  }
  return static_cast<float>(value);
}

void LoadDesignRules(const std::filesystem::path& folder, DesignRuleTables& rules) {
  std::filesystem::path path;
  const std::string data = ReadCatalogueFile(folder, kDesignRuleFile, path);
  RecordReader records(kDesignRuleFile, path, data, kDesignRuleFields);
  while (records.NextRecord()) {
    double f[kDesignRuleFields];
    for (double& value : f) value = records.Number();
    const int dielectric = records.Index(f[0], 1, 0, 5, "dielectric");
    const int voltage = records.Index(f[1], 2, 0, 18, "voltage");
    const int commercial = records.Index(f[2], 3, 0, 1, "commercial flag");
    rules.DesignRule1(commercial, dielectric, voltage) = SingleField(records, f[3], 4);
    rules.DesignRule2(commercial, dielectric, voltage) = SingleField(records, f[4], 5);
    rules.DesignRule3(commercial, dielectric, voltage) = SingleField(records, f[5], 6);
    rules.DesignRule4(commercial, dielectric, voltage) = SingleField(records, f[6], 7);
  }
}

void LoadCapLimits(const std::filesystem::path& folder, std::string_view name,
                   CapLimitTables& tables, bool maximum) {
  std::filesystem::path path;
  const std::string data = ReadCatalogueFile(folder, name, path);
  RecordReader records(name, path, data, kCapLimitFields);
  while (records.NextRecord()) {
    records.SkipText();
    const double series = records.Number();
    const double caseIndex = records.Number();
    const double dielectric = records.Number();
    std::array<double, 16> capacitances;
    for (double& value : capacitances) value = records.Number();
    const int s = records.Index(series, 2, 0, 25, "series");
    const int c = records.Index(caseIndex, 3, 0, 125, "case");
    const int d = records.Index(dielectric, 4, 0, 5, "dielectric");
    if (maximum) {
      StoreMaxCapRow(tables, {}, s, c, d, capacitances);
    } else {
      StoreMinCapRow(tables, {}, s, c, d, capacitances);
    }
  }
}

void LoadCaseLookup(const std::filesystem::path& folder, CapLimitTables& tables) {
  std::filesystem::path path;
  const std::string data = ReadCatalogueFile(folder, kCaseLookupFile, path);
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
}

void StoreCapRow(CapLimitTables::CapTable& table, int series, int caseIndex, int dielectric,
                 std::span<const double, 16> capacitances) {
  for (std::size_t k = 0; k < kCapRecordVoltages.size(); ++k) {
    table(series, caseIndex, dielectric, kCapRecordVoltages[k]) = capacitances[k];
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

  try {
    LoadDesignRules(folder, freshRules);
    LoadCapLimits(folder, kMaxCapFile, freshLimits, true);
    LoadCapLimits(folder, kMinCapFile, freshLimits, false);
    LoadCaseLookup(folder, freshLimits);
  } catch (const LoadFailure& failure) {
    return failure.error;
  }

  gDesignRules.DesignRule1.swap(freshRules.DesignRule1);
  gDesignRules.DesignRule2.swap(freshRules.DesignRule2);
  gDesignRules.DesignRule3.swap(freshRules.DesignRule3);
  gDesignRules.DesignRule4.swap(freshRules.DesignRule4);
  gCapLimits.MaxCapTable.swap(freshLimits.MaxCapTable);
  gCapLimits.MinCapTable.swap(freshLimits.MinCapTable);
  gCapLimits.CaseLookup.swap(freshLimits.CaseLookup);
  return std::nullopt;
}

std::string CatalogueError::Message() const {
  std::string where = File;
  if (Record > 0) where += ", record " + std::to_string(Record);
  if (Field > 0) where += ", field " + std::to_string(Field);
  std::string message = "Catalogue file " + where + ": " + Detail;
  if (!Path.empty()) message += "\n(" + Path.string() + ")";
  return message;
}

}  // namespace quenta
