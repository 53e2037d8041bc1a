#include "military/Mil49470PartList.h"

#include "catalogue/RecordReader.h"
#include "catalogue/TextChars.h"

namespace quenta {

namespace {

constexpr int kFields = 7;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the fields the lookup takes by position.
void CheckRecord(const RecordReader& records, const PartListRecord& r) {
  const std::string& pin = r[0];
  if (pin.size() < 12 || !IsDigit(pin[9]) || !IsDigit(pin[10]) || !IsDigit(pin[11])) {
    records.Fail(CatalogueFault::MalformedText, 1,
                 "the PIN " + Quoted(pin) + " has no three-digit capacitance code at 10 to 12.");
  }
  if (r[4].size() != 1 || r[4][0] < '1' || r[4][0] > '6') {
    records.Fail(CatalogueFault::MalformedText, 5,
                 "the case " + Quoted(r[4]) + " is not a digit 1 to 6.");
  }
  if (r[6].size() < 4) {
    records.Fail(CatalogueFault::MalformedText, 7,
                 "the height code " + Quoted(r[6]) + " is shorter than 4 characters.");
  }
}

}  // namespace

const std::vector<Mil49470List>& Mil49470Lists() {
  static const std::vector<Mil49470List> lists = {
      {"Z", "mil-prf-49470_25.dat", 1, '3', "25"},
      {"A", "mil-prf-49470_50.dat", 2, '5', "50"},
      {"B", "mil-prf-49470_100.dat", 3, '1', "100"},
      {"C", "mil-prf-49470_200.dat", 4, '2', "200"},
      {"E", "mil-prf-49470_500.dat", 7, '7', "500"},
  };
  return lists;
}

const Mil49470List* FindMil49470List(const std::string& letter) {
  for (const Mil49470List& list : Mil49470Lists())
    if (letter == list.letter) return &list;
  return nullptr;
}

std::vector<PartListRecord> ReadMil49470PartList(const std::filesystem::path& folder,
                                                 std::string_view file) {
  std::filesystem::path path;
  const std::string data = ReadCatalogueFile(folder, file, path);
  // An emptied list (a failed copy leaves one) would make every PIN of its
  // voltage read as one that does not exist.
  if (HoldsNoRecord(data)) {
    throw CatalogueFailure{CatalogueError{CatalogueFault::NoRecord, std::string(file), path, 0, 0,
                                          "the file in the program folder " +
                                              EscapeNonText(folder.string()) +
                                              " holds no record."}};
  }
  RecordReader records(file, path, data, kFields);
  std::vector<PartListRecord> out;
  while (records.NextRecord()) {
    PartListRecord record;
    for (std::string& field : record) field = records.Text();
    CheckRecord(records, record);
    out.push_back(std::move(record));
  }
  return out;
}

}  // namespace quenta
