#pragma once

// Reading the catalogue data files' text form record by record; see
// CatalogueFiles.h for the form itself. Every fault is thrown as a
// CatalogueFailure naming file, record and field, so a reader of several
// files catches in one place.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "catalogue/CatalogueFiles.h"

namespace quenta {

// Thrown by RecordReader and ReadCatalogueFile to abandon a read.
struct CatalogueFailure {
  CatalogueError Error;
};

// The bytes of the file `name` of the folder as they stand, found without
// regard to case (an exact match wins); its path is stored in path. A
// missing or unreadable file, something other than a file in its place, or
// a file larger than kMaxCatalogueFileBytes throws a CatalogueFailure
// naming it.
std::string ReadCatalogueFileBytes(const std::filesystem::path& folder, std::string_view name,
                                   std::filesystem::path& path);

// The content of that file as the program reads it: its bytes, a
// byte-order mark at their start dropped.
std::string ReadCatalogueFile(const std::filesystem::path& folder, std::string_view name,
                              std::filesystem::path& path);

// A field's text in double quotes as it may appear in a message: bytes
// that are not text written as \xNN, long texts cut.
std::string Quoted(std::string_view text);

// Whether the content holds no record: nothing but blanks and line breaks.
bool HoldsNoRecord(std::string_view data);

// Rounds to the nearest whole number, halves to the even neighbour, as
// index fields are read.
double RoundHalfEven(double value);

// Reads the content of one file record by record, with the position of
// the current field at hand for any report. A field ends at a comma, a
// line break (CR, LF or CR LF) or the end of the data, so a blank line is
// one empty field; blanks around a field are not part of it. White space
// after the last complete record is the end of the file; a file that ends
// inside a record is a fault. file names the file in reports, path is
// where it was found; both must outlive the reader, as must data.
class RecordReader {
 public:
  RecordReader(std::string_view file, const std::filesystem::path& path, std::string_view data,
               int fieldsPerRecord);

  // Starts the next record; false at the end of the file.
  bool NextRecord();

  // The current record, 1-based.
  long Record() const { return record_; }

  // The next field as a number; an empty field reads 0.
  double Number();

  // The next field as text: a text in double quotes is taken whole,
  // commas and line breaks included, without its quotes, and the rest of
  // the field after the closing quote is passed over; any other field is
  // taken as it stands, blanks around it removed.
  std::string Text();

  // Passes over the next field, read as text.
  void SkipText() { Text(); }

  // The rounded index in field `field` of the current record, which must
  // lie within first to last.
  int Index(double value, int field, int first, int last, std::string_view what) const;

  // Abandons the read with a fault at field `field` (0: the whole record)
  // of the current record.
  [[noreturn]] void Fail(CatalogueFault fault, int field, std::string detail) const;

 private:
  bool StartField();
  std::string_view TakeToTerminator();
  std::string_view Take();
  [[noreturn]] void FailEndOfFile() const;

  std::string_view file_;
  const std::filesystem::path& path_;
  std::string_view data_;
  std::size_t contentEnd_;
  int fieldsPerRecord_;
  std::size_t pos_ = 0;
  bool afterComma_ = false;
  long record_ = 0;
  int field_ = 0;
};

}  // namespace quenta
