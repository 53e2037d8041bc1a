#include "engine/StartupScan.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "catalogue/DesignState.h"
#include "catalogue/FileLookup.h"
#include "catalogue/NumberText.h"
#include "engine/DesignRules.h"
#include "engine/ModelCoefficients.h"
#include "mainwindow/Program.h"

namespace quenta {

namespace {

constexpr std::string_view kScanName = "clcmxcap.dat";
constexpr int kFields = 20;

struct ScanFault {
  CatalogueError error;
};

// The fields of the file in the catalogue files' text form: a field ends at
// a comma or a line break; blanks before it are skipped; an empty field
// reads 0; white space after the last record ends the file.
class Fields {
 public:
  Fields(std::string_view data, const std::filesystem::path& path) : data_(data), path_(path) {
    end_ = data_.size();
    while (end_ > 0 && IsWhite(data_[end_ - 1])) --end_;
  }

  bool AtEnd() const { return pos_ >= end_; }

  void StartRecord() {
    ++record_;
    field_ = 0;
  }

  // The first field: text, a quoted text taken whole.
  void SkipText() {
    SkipBlanks();
    if (pos_ < data_.size() && data_[pos_] == '"') {
      const std::size_t close = data_.find('"', pos_ + 1);
      pos_ = close == std::string_view::npos ? data_.size() : close + 1;
    }
    Take();
  }

  double Number() {
    SkipBlanks();
    const std::string_view text = Take();
    if (text.empty()) return 0;
    double value = 0;
    switch (ParseWholeNumber(text, value)) {
      case NumberStatus::Ok: return value;
      case NumberStatus::NotANumber:
        Fail(CatalogueFault::NotANumber, "\"" + std::string(text) + "\" is not a number.");
      case NumberStatus::OutOfRange:
        Fail(CatalogueFault::Overflow, "the number \"" + std::string(text) + "\" is too large.");
    }
    return 0;
  }

  int Index(double value, int last, const char* what) {
    const double rounded = std::nearbyint(value);  // halves to the even neighbour
    if (!(rounded >= 0 && rounded <= last)) {
      Fail(CatalogueFault::IndexOutOfRange, std::string("the ") + what + " index " +
                                                FormatGeneral(value) + " is outside 0 to " +
                                                std::to_string(last) + ".");
    }
    return static_cast<int>(rounded);
  }

  [[noreturn]] void Fail(CatalogueFault fault, std::string detail) const {
    throw ScanFault{
        CatalogueError{fault, std::string(kMaxCapFile), path_, record_, field_, std::move(detail)}};
  }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
  static bool IsWhite(char c) { return IsBlank(c) || c == '\r' || c == '\n'; }
  static bool IsTerminator(char c) { return c == ',' || c == '\r' || c == '\n'; }

  void SkipBlanks() {
    while (pos_ < data_.size() && IsBlank(data_[pos_])) ++pos_;
  }

  // The text up to the end of the field, blanks after it removed; the
  // terminator is passed over.
  std::string_view Take() {
    ++field_;
    if (pos_ >= data_.size() && !afterComma_) {
      Fail(CatalogueFault::EndOfFileInRecord,
           "the file ends inside this record, which needs " + std::to_string(kFields) +
               " fields.");
    }
    afterComma_ = false;
    const std::size_t start = pos_;
    while (pos_ < data_.size() && !IsTerminator(data_[pos_])) ++pos_;
    std::string_view text = data_.substr(start, pos_ - start);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (pos_ < data_.size()) {
      if (data_[pos_] == ',') {
        afterComma_ = true;
        ++pos_;
      } else if (data_[pos_] == '\r') {
        ++pos_;
        if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
      } else {
        ++pos_;  // line feed
      }
    }
    return text;
  }

  std::string_view data_;
  const std::filesystem::path& path_;
  std::size_t end_ = 0;
  std::size_t pos_ = 0;
  bool afterComma_ = false;
  long record_ = 0;
  int field_ = 0;
};

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
  gChip.Mult = std::isfinite(m) ? static_cast<int>(std::nearbyint(m)) : 0;
  gChip.Cascades = std::isfinite(cascades) ? static_cast<int>(std::nearbyint(cascades)) : 0;
  SetDesignRules();
  SetModelCoefficients();
}

}  // namespace

std::optional<CatalogueError> ScanMaxCapEntries(const std::filesystem::path& folder) {
  const std::optional<std::filesystem::path> found = FindFileIgnoringCase(folder, kScanName);
  if (!found) {
    return CatalogueError{CatalogueFault::MissingFile, std::string(kMaxCapFile), folder, 0, 0,
                          "the file is missing from the program folder."};
  }
  std::ifstream in(*found, std::ios::binary);
  std::string data;
  if (in) data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    return CatalogueError{CatalogueFault::UnreadableFile, std::string(kMaxCapFile), *found, 0, 0,
                          "the file cannot be read."};
  }

  Fields fields(data, *found);
  try {
    while (!fields.AtEnd()) {
      fields.StartRecord();
      fields.SkipText();
      const int series = fields.Index(fields.Number(), 25, "series");
      const int caseIndex = fields.Index(fields.Number(), 125, "case");
      const int dielectric = fields.Index(fields.Number(), 5, "dielectric");
      for (int k = 0; k < 16; ++k) {
        const double capacitance = fields.Number();
        if (capacitance == -1) continue;
        CheckEntry(series, caseIndex, dielectric, kCapRecordVoltages[static_cast<std::size_t>(k)]);
      }
    }
  } catch (const ScanFault& fault) {
    return fault.error;
  }
  return std::nullopt;
}

std::optional<CatalogueError> ScanMaxCapEntries() { return ScanMaxCapEntries(ProgramFolder()); }

}  // namespace quenta
