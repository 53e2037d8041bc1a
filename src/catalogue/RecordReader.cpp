#include "catalogue/RecordReader.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <utility>

#include "catalogue/FileLookup.h"
#include "catalogue/NumberText.h"
#include "catalogue/TextChars.h"

namespace quenta {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsWhite(char c) { return IsBlank(c) || c == '\r' || c == '\n'; }
bool IsTerminator(char c) { return c == ',' || c == '\r' || c == '\n'; }

}  // namespace

std::string Quoted(std::string_view text) {
  constexpr std::size_t kMax = 40;
  // A character the cut falls into is shown whole.
  const std::size_t cut = WholeCharEnd(text, std::min(text.size(), kMax));
  std::string out = '"' + EscapeNonText(text.substr(0, cut));
  if (cut < text.size()) out += "...";
  out += '"';
  return out;
}

std::string ReadCatalogueFileBytes(const std::filesystem::path& folder, std::string_view name,
                                   std::filesystem::path& path) {
  const FoundFile found = LookUpFile(folder, name);
  auto fail = [&](CatalogueFault fault, std::string detail) {
    return CatalogueFailure{
        CatalogueError{fault, std::string(name), path, 0, 0, std::move(detail)}};
  };
  if (found.Kind == FileKind::Missing) {
    path = folder;
    throw fail(CatalogueFault::MissingFile, "the file is missing from the program folder " +
                                                EscapeNonText(folder.string()) + ".");
  }
  path = found.Path;
  if (found.Kind != FileKind::Regular) {
    throw fail(CatalogueFault::NotAFile, std::string("in place of the file the program folder holds ") +
                                             FileKindText(found.Kind) + ".");
  }
  const auto tooLarge = [&] {
    return fail(CatalogueFault::TooLarge, "the file is larger than a catalogue file can be (at most " +
                                              std::to_string(kMaxCatalogueFileBytes >> 20) +
                                              " MiB).");
  };
  std::error_code ec;
  if (const auto size = std::filesystem::file_size(path, ec); !ec && size > kMaxCatalogueFileBytes)
    throw tooLarge();
  std::ifstream in(path, std::ios::binary);
  std::string data;
  // Read in blocks: character by character costs more than the parse. The
  // size is counted as it is read too, for a file that grows meanwhile.
  char block[16384];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    data.append(block, static_cast<std::size_t>(in.gcount()));
    if (data.size() > kMaxCatalogueFileBytes) throw tooLarge();
  }
  if (!in && !in.eof()) throw fail(CatalogueFault::UnreadableFile, "the file cannot be read.");
  return data;
}

std::string ReadCatalogueFile(const std::filesystem::path& folder, std::string_view name,
                              std::filesystem::path& path) {
  std::string data = ReadCatalogueFileBytes(folder, name, path);
  // A byte-order mark, written by some editors in front of UTF-8 text.
  if (data.starts_with("\xEF\xBB\xBF")) data.erase(0, 3);
  return data;
}

bool HoldsNoRecord(std::string_view data) { return std::ranges::all_of(data, IsWhite); }

double RoundHalfEven(double value) {
  const double down = std::floor(value);
  const double diff = value - down;
  if (diff < 0.5) return down;
  if (diff > 0.5) return down + 1;
  return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

RecordReader::RecordReader(std::string_view file, const std::filesystem::path& path,
                           std::string_view data, int fieldsPerRecord)
    : file_(file),
      path_(path),
      data_(data),
      contentEnd_(data.size()),
      fieldsPerRecord_(fieldsPerRecord) {
  while (contentEnd_ > 0 && IsWhite(data_[contentEnd_ - 1])) --contentEnd_;
}

bool RecordReader::NextRecord() {
  if (pos_ >= contentEnd_) return false;
  ++record_;
  field_ = 0;
  return true;
}

double RecordReader::Number() {
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

std::string RecordReader::Text() {
  if (!StartField()) FailEndOfFile();
  ++field_;
  if (pos_ < data_.size() && data_[pos_] == '"') {
    const std::size_t open = pos_ + 1;
    const std::size_t close = data_.find('"', open);
    if (close == std::string_view::npos) {
      pos_ = data_.size();
      afterComma_ = false;
      return std::string(data_.substr(open));
    }
    pos_ = close + 1;
    TakeToTerminator();
    return std::string(data_.substr(open, close - open));
  }
  return std::string(TakeToTerminator());
}

int RecordReader::Index(double value, int field, int first, int last,
                        std::string_view what) const {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= first && rounded <= last)) {
    Fail(CatalogueFault::IndexOutOfRange, field,
         "the " + std::string(what) + " index " + FormatGeneral(value) + " is outside " +
             std::to_string(first) + " to " + std::to_string(last) + ".");
  }
  return static_cast<int>(rounded);
}

void RecordReader::Fail(CatalogueFault fault, int field, std::string detail) const {
  throw CatalogueFailure{
      CatalogueError{fault, std::string(file_), path_, record_, field, std::move(detail)}};
}

// Skips the blanks before a field. At the end of the data only a comma
// just read still promises a field, an empty one.
bool RecordReader::StartField() {
  while (pos_ < data_.size() && IsBlank(data_[pos_])) ++pos_;
  if (pos_ < data_.size()) return true;
  if (!afterComma_) return false;
  afterComma_ = false;
  return true;
}

// The text up to the end of the field, blanks after it removed; the
// terminator is passed over.
std::string_view RecordReader::TakeToTerminator() {
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

std::string_view RecordReader::Take() {
  if (!StartField()) FailEndOfFile();
  ++field_;
  return TakeToTerminator();
}

void RecordReader::FailEndOfFile() const {
  Fail(CatalogueFault::EndOfFileInRecord, field_ + 1,
       "the file ends inside this record, which needs " + std::to_string(fieldsPerRecord_) +
           " fields.");
}

}  // namespace quenta
