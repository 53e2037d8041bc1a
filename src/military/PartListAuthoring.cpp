#include "military/PartListAuthoring.h"

#include <algorithm>
#include <optional>

#include "catalogue/DesignState.h"
#include "catalogue/NumberText.h"
#include "engine/CatalogueAuthoring.h"
#include "military/Mil49470Entry.h"

namespace quenta::authoring {

namespace {

constexpr int kSeriesKD = 1;
constexpr int kMaxChips = 5;
const char* const kHeights[kMaxChips] = {".120", ".240", ".360", ".480", ".650"};
const char* const kE12[] = {"10", "12", "15", "18", "22", "27", "33", "39", "47", "56", "68", "82"};

struct LeadFamily {
  const char* leads;  // field 6
  const char* pinLead;  // the lead letter of the record's own PIN
};
constexpr LeadFamily kFamilies[] = {{"N, L, or J", "N"}, {"A, B, or C", "A"}};

// The case of series KD holds the value within its catalogue limits.
bool Holds(int caseIndex, int dielectric, int voltage, double uf) {
  if (gCapLimits.CaseLookup(caseIndex, kSeriesKD) == -1) return false;
  const double low = gCapLimits.MinCapTable(kSeriesKD, caseIndex, dielectric, voltage);
  const double high = gCapLimits.MaxCapTable(kSeriesKD, caseIndex, dielectric, voltage);
  return low > 0 && high > 0 && uf >= low && uf <= high;
}

// The chips of a quiet design of the case within the five height codes;
// nothing when it asks a question, shows a notice or grows taller.
std::optional<int> QuietChips(int caseIndex, int dielectric, int voltage, double uf) {
  const Trial trial = TryDesign({kSeriesKD, caseIndex, dielectric, voltage}, uf);
  if (!trial.Passes() || trial.chips < 1 || trial.chips > kMaxChips) return std::nullopt;
  return trial.chips;
}

// The lowest case digit whose "0d" and "9d" cases both hold the value;
// 0 when none does.
int LowestHoldingCase(int dielectric, int voltage, double uf) {
  for (int d = 1; d <= 6; ++d)
    if (Holds(d, dielectric, voltage, uf) && Holds(90 + d, dielectric, voltage, uf)) return d;
  return 0;
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

// The capacitance field in microfarads, two significant digits with the
// leading zero: "0.010", "0.10", "1.0", "10", "100".
std::string CapacitanceField(const std::string& code) {
  const std::string text = Mil49470MicrofaradText(code);
  return text.front() == '.' ? "0" + text : text;
}

// A value a characteristic offers at a voltage, with its case and height.
struct Value {
  std::string code;
  int caseDigit;
  int chips;
};

// The values of the E12 codes that a characteristic offers at a voltage;
// a value that its cases hold but do not both build quietly is left out
// and noted among the problems.
std::vector<Value> OfferedValues(const std::string& characteristic, int voltage,
                                 std::vector<std::string>& problems) {
  const int dielectric = characteristic == "BP" ? 1 : 2;
  std::vector<Value> values;
  for (char multiplier = '3'; multiplier <= '7'; ++multiplier) {
    for (const char* mantissa : kE12) {
      const std::string code = std::string(mantissa) + multiplier;
      const double uf = LeadingNumber(Mil49470MicrofaradText(code));
      const int d = LowestHoldingCase(dielectric, voltage, uf);
      if (d == 0) continue;
      const std::optional<int> chips = QuietChips(d, dielectric, voltage, uf);
      if (!chips || !QuietChips(90 + d, dielectric, voltage, uf)) {
        problems.push_back(characteristic + " " + code + " is held by cases 0" +
                           std::to_string(d) + " and 9" + std::to_string(d) +
                           " but not built quietly in both");
        continue;
      }
      values.push_back({code, d, *chips});
    }
  }
  return values;
}

}  // namespace

std::vector<PartListFile> BuildPartLists() {
  std::vector<PartListFile> files;
  for (const Mil49470List& list : Mil49470Lists()) {
    PartListFile file;
    file.name = list.file;
    for (const Mil49470Characteristic& c : Mil49470Characteristics()) {
      if (std::find(c.voltages.begin(), c.voltages.end(), list.letter) == c.voltages.end())
        continue;
      const std::string characteristic = std::string("B") + c.letter;
      const std::vector<Value> values =
          OfferedValues(characteristic, list.voltageIndex, file.problems);
      for (const LeadFamily& family : kFamilies) {
        for (const Value& v : values) {
          const std::string pin = std::string("M49470") + c.letter + "01" + v.code + "K" +
                                  list.letter + family.pinLead;
          file.text += Quote(pin) + "," + Quote(CapacitanceField(v.code)) + "," +
                       Quote(list.voltageText) + "," + Quote(characteristic) + "," +
                       Quote(std::to_string(v.caseDigit)) + "," + Quote(family.leads) + "," +
                       Quote(kHeights[v.chips - 1]) + "\n";
          ++file.records;
        }
      }
    }
    files.push_back(std::move(file));
  }
  return files;
}

}  // namespace quenta::authoring
