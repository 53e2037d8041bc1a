#pragma once

// The catalogue data files in the program folder and their loader.
//
// All four files share one text form: decimal numbers ("." as the decimal
// point, optional sign and exponent) separated by commas or line breaks;
// blanks before a field are skipped; an empty field, and a blank line,
// read as 0; a record is simply the next N fields, wherever the line
// breaks fall. Index fields are rounded to the nearest whole number,
// halves to the even neighbour.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DesignState.h"

namespace quenta {

inline constexpr std::string_view kDesignRuleFile = "DESNPARA.DAT";  // 7 fields per record
inline constexpr std::string_view kMaxCapFile = "CLCMXCAP.DAT";      // 20 fields per record
inline constexpr std::string_view kMinCapFile = "CLCMinCAP.DAT";     // 20 fields per record
inline constexpr std::string_view kCaseLookupFile = "LUKUPCAS.DAT";  // 22 fields per record

// The voltage indices of the sixteen capacitances of a capacitance-limit
// record, in file order. Indices 0, 5 and 6 have no field.
inline constexpr std::array<int, 16> kCapRecordVoltages = {1,  2,  3,  4,  7,  8,  9,  10,
                                                           11, 12, 13, 14, 15, 16, 17, 18};

// The largest file the program reads from its folder: far more than a
// catalogue file that filled every entry of its table with numbers
// written out in full would hold.
inline constexpr std::size_t kMaxCatalogueFileBytes = std::size_t{64} << 20;

enum class CatalogueFault {
  MissingFile,        // the file is not in the program folder
  NotAFile,           // a folder, pipe, broken link, ... stands in its place
  UnreadableFile,     // the file is there but cannot be read
  TooLarge,           // the file is larger than a catalogue file can be
  EndOfFileInRecord,  // the file ends inside a record
  NotANumber,         // a field that must be a number is not one
  IndexOutOfRange,    // an index field lies outside its table
  TooManyRecords,     // the case lookup file holds a 126th record
  Overflow,           // a value beyond the range of its number type, or beyond what
                      // the program can work with
  MalformedText,      // a text field that does not have the form it must have
  NoRecord,           // a file that must hold records holds nothing but blanks and line breaks
};

// What went wrong in a catalogue load, and where.
struct CatalogueError {
  CatalogueFault Fault = CatalogueFault::MissingFile;
  std::string File;            // the file as the program names it, e.g. "CLCMXCAP.DAT"
  std::filesystem::path Path;  // the file found, or the folder it was looked for in
  long Record = 0;             // 1-based; 0 when the fault concerns the whole file
  int Field = 0;               // 1-based within the record; 0 when no one field is meant
  std::string Detail;          // what is wrong, in words

  // Where the fault lies: "CLCMXCAP.DAT, record 3, field 7" (record and
  // field only when known).
  std::string Place() const;
  // The same with the folder the file was found in, for a message: "CLCMXCAP.DAT
  // in the program folder /opt/q, record 3, field 7," (bytes that are not text
  // as \xNN). The words of a missing file, and of one that holds no record,
  // already name the folder: their place is Place().
  std::string PlaceInFolder() const;
  // The full report for a message box, naming file, record and field.
  std::string Message() const;

 private:
  bool DetailNamesFolder() const;
};

// Reads DESNPARA.DAT, CLCMXCAP.DAT, CLCMinCAP.DAT and LUKUPCAS.DAT, in that
// order, from folder (names matched without regard to case) into fresh
// tables, each first preset to -1 throughout. Only when all four files
// have been read completely do the fresh tables replace gDesignRules and
// the tables of gCapLimits (CapSearchAllRows is kept); on any fault the
// tables in use stay as they were and the fault is returned.
std::optional<CatalogueError> LoadCatalogueTables(const std::filesystem::path& folder);

// The catalogue files that held no record (nothing but blanks and line
// breaks, as a failed copy leaves them) when the tables in use were
// loaded, in loading order. They load as any other file: their tables stay
// as preset, nothing offered. Empty when every file held a record.
const std::vector<std::string_view>& CatalogueFilesWithoutRecords();

// The loader keeps each file's bytes and tables from the last load that
// read it through, and takes a file read again with the same bytes from
// there instead of parsing it again. This drops what it keeps, so that
// the next load parses every file, as a new start of the program does.
void ForgetCatalogueReads();

// A record of the maximum-capacitance file: its indices and which of its
// sixteen capacitances are offered (not -1), bit k standing for
// kCapRecordVoltages[k].
struct MaxCapRecord {
  int16_t Series = 0;
  int16_t CaseIndex = 0;
  int16_t Dielectric = 0;
  uint16_t Offered = 0;
};

// The records of the maximum-capacitance file in file order, as the last
// load that read it through found them, when data is that file's content
// (the start-up scan reads the same file again); nullptr otherwise.
const std::vector<MaxCapRecord>* LoadedMaxCapRecords(std::string_view data);

// A count of the design-rule tables (layer multiplier, covers, cascades)
// as the program uses it: rounded to the nearest whole number, halves to
// the even neighbour. Nothing when it is not finite or lies beyond the
// 32-bit range; the loader refuses such a value.
std::optional<int32_t> DesignRuleCount(float value);

// Store one capacitance-limit record: the k-th capacitance (microfarads)
// goes to (series, caseIndex, dielectric, kCapRecordVoltages[k]) of the
// maximum or minimum table of tables. The first field of the record is
// read as text and not used. Indices outside the tables throw
// std::out_of_range.
void StoreMaxCapRow(CapLimitTables& tables, std::string_view ignored, int series, int caseIndex,
                    int dielectric, std::span<const double, 16> capacitances);
void StoreMinCapRow(CapLimitTables& tables, std::string_view ignored, int series, int caseIndex,
                    int dielectric, std::span<const double, 16> capacitances);

}  // namespace quenta
