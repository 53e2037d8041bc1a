#include "military/Mil49470Entry.h"

#include <algorithm>
#include <optional>
#include <string>

#include "catalogue/DesignState.h"
#include "catalogue/RecordReader.h"
#include "mainwindow/Commands.h"
#include "mainwindow/EntryMode.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "mainwindow/Results.h"
#include "ui/Services.h"

namespace quenta {

Mil49470Record gMil49470;

namespace {

const std::vector<std::string> kLevels = {"M49470", "T49470"};
const std::vector<std::string> kSheets = {"01", "02"};
const std::vector<std::string> kLeads = {"N", "J", "L", "A", "B", "C"};

bool IsOneOf(const std::string& text, const std::vector<std::string>& entries) {
  return std::find(entries.begin(), entries.end(), text) != entries.end();
}

// The panel's texts as the lookup reads them.
struct Pin {
  std::string level, characteristic, sheet, code, tolerance, voltage, lead;
  // Characteristic, sheet, code, tolerance, voltage and lead: what the
  // search compares with the end of each stored PIN.
  std::string Key() const { return characteristic + sheet + code + tolerance + voltage + lead; }
};

Pin ReadPanel(const MainForm& f) {
  return {f.CB_Type_Mil.text(),  f.CB_Mil_Prf_Ch.text(), f.CB_Type_Sht.text(),
          f.T_Cap_code.text(),   f.CB_Type_Tol.text(),   f.CB_Type_Volt.text(),
          f.CB_Type_Lead.text()};
}

// Every text names an entry its list offers for the characteristic, and
// the code is two significant digits with a multiplier digit 3 to 7 (10 nF
// to 820 µF: the capacitance box takes no other).
bool NamesAPart(const Pin& pin) {
  const Mil49470Characteristic* c = FindMil49470Characteristic(pin.characteristic);
  if (!c || !IsOneOf(pin.level, kLevels) || !IsOneOf(pin.sheet, kSheets) ||
      !IsOneOf(pin.tolerance, c->tolerances) || !IsOneOf(pin.voltage, c->voltages) ||
      !IsOneOf(pin.lead, kLeads))
    return false;
  const std::string& code = pin.code;
  auto digit = [](char ch) { return ch >= '0' && ch <= '9'; };
  return code.size() == 3 && digit(code[0]) && digit(code[1]) && code[2] >= '3' && code[2] <= '7';
}

// The lead filter: a record made with one letter of a lead pair is not
// found under the other letter of that pair.
bool LeadExcludes(const std::string& leads, const std::string& lead) {
  static const struct {
    std::size_t position;
    char record;
    const char* lead;
  } kRules[] = {{0, 'N', "A"}, {0, 'A', "N"}, {3, 'L', "B"},
                {3, 'B', "L"}, {9, 'J', "C"}, {9, 'C', "J"}};
  for (const auto& rule : kRules)
    if (rule.position < leads.size() && leads[rule.position] == rule.record && lead == rule.lead)
      return true;
  return false;
}

// The height code of the maker part number: sheet "02" parts stand on the
// taller "9" cases.
std::string HeightCode(const std::string& field7, bool sheet02) {
  const std::string code = field7.substr(1, 3);
  if (!sheet02) return code;
  static const struct {
    const char* from;
    const char* to;
  } kTaller[] = {{"120", "270"}, {"240", "390"}, {"360", "530"}, {"480", "660"}, {"650", "800"}};
  for (const auto& t : kTaller)
    if (code == t.from) return t.to;
  return code;
}

// The maker's letter for a lead: the second letter of each pair is made
// as the first.
std::string MakerLead(const std::string& lead) {
  if (lead == "A") return "N";
  if (lead == "B") return "L";
  if (lead == "C") return "J";
  return lead;
}

const char* ToleranceText(char letter) {
  switch (letter) {
    case 'J': return "+/-5%";
    case 'K': return "+/-10%";
    default: return "+/-20%";
  }
}

// Selects an entry of a maker list by its text, running the list's
// handler; false when the list does not offer it.
bool SelectOffered(ui::DropDownList& list, const std::string& text) {
  if (list.findExact(text) < 0) return false;
  list.setText(text);
  return true;
}

// No part: nothing of an earlier part stays shown or composed.
void ShowInvalid(MainForm& f) {
  gSelection.PartNumberText.clear();
  f.L_Invalid_Mil.setVisible(true);
  f.T_Norvel_Equiv.setText("");
  f.T_Mil_Prf.setText("");
  ClearResults();
}

// The records of a part list of the program folder; a list that cannot be
// used is reported in a message box naming file and folder, and gives none.
std::optional<std::vector<PartListRecord>> ReadUsablePartList(const char* file) {
  try {
    return ReadMil49470PartList(ProgramFolder(), file);
  } catch (const CatalogueFailure& failure) {
    const CatalogueError& error = failure.Error;
    ui::msgBox("The part list " + error.PlaceInFolder() + " cannot be used: " + error.Detail,
               ui::MsgButtons::Ok, "Part List Error", ui::MsgIcon::Exclamation);
    return std::nullopt;
  }
}

// Writes the part found into the maker's lists and boxes; false when one of
// its texts is not offered where it goes.
bool SelectPart(MainForm& f, const Pin& pin, const std::string& maker, const Mil49470List& list) {
  f.L_Invalid_Mil.setVisible(false);
  if (!SelectOffered(f.CB_Type, maker.substr(0, 2))) return false;
  // The series handler shows the Manual Cap box, which has no place in this
  // panel (the box stands outside the hidden maker frames).
  f.CK_ManCap.setVisible(false);
  if (!SelectOffered(f.CB_Case, maker.substr(2, 2))) return false;
  f.T_Norvel_Equiv.setText(maker);
  // The 25 V list is the one the series handler selects in this entry mode.
  if (list.makerDigit == '3') {
    if (f.CB_Volt.text() != list.voltageText) return false;
  } else if (!SelectOffered(f.CB_Volt, list.voltageText)) {
    return false;
  }

  gChip.ThicknessScale = 0.68;
  gChip.LengthWidthScale = 0.83;
  gResults.DielBPFlag = 0;
  gResults.DielBXFlag = 0;
  SetOrdinaryTempLimits(50);

  if (maker[5] == 'A') {
    if (!SelectOffered(f.CB_Dielectric, "C0G")) return false;
    f.LineFreqText.setVisible(false);
    gSelection.DielectricIndex = 1;
    gChip.LengthWidthScale = 0.82;
    gResults.DielBPFlag = 1;
    gChip.DielectricK = 17;
  } else {
    // The dielectric list shows the part's dielectric too, for the report,
    // the AC-mains notice and a later switch of entry mode.
    if (!SelectOffered(f.CB_Dielectric, "X7R")) return false;
    f.LineFreqText.setVisible(true);
    gSelection.DielectricIndex = 2;
    gResults.DielBXFlag = 1;
    gChip.DielectricK = 475;
  }
  if (!SelectOffered(f.CB_Tolerance, ToleranceText(maker[9]))) return false;
  f.CK_ManCap.setValue(ui::CheckBox::Checked);
  f.T_Capacitance.setText(Mil49470MicrofaradText(maker.substr(6, 3)));
  ui::setVisible({&f.L_Norvel_PN, &f.T_Norvel_Equiv}, true);
  f.T_Mil_Prf.setText(pin.level + pin.Key());
  f.Command6.setVisible(true);
  ShowPicture(f.Picture2, f.Picture3, "kd.jpg");
  if (f.CB_Case.text().starts_with("9")) ShowPicture(f.Picture2, f.Picture3, "kd9.jpg");
  return true;
}

}  // namespace

const std::vector<Mil49470Characteristic>& Mil49470Characteristics() {
  static const std::vector<Mil49470Characteristic> table = {
      {"X", {"K", "M"}, {"Z", "A", "B"}},
      {"R", {"K", "M"}, {"C"}},
      {"Q", {"K", "M"}, {"E"}},
      {"P", {"J", "K"}, {"A", "B", "C", "E"}},
  };
  return table;
}

std::string Mil49470MicrofaradText(const std::string& code) {
  const std::string d1(1, code[0]), d2(1, code[1]);
  switch (code[2]) {
    case '7': return d1 + d2 + "0";
    case '6': return d1 + d2;
    case '5': return d1 + "." + d2;
    case '4': return "." + d1 + d2;
    default: return ".0" + d1 + d2;
  }
}

const Mil49470Characteristic* FindMil49470Characteristic(const std::string& letter) {
  for (const Mil49470Characteristic& c : Mil49470Characteristics())
    if (letter == c.letter) return &c;
  return nullptr;
}

void CB_Mil_Prf_Ch_Click() {
  MainForm& f = F_QuentaMainForm();
  ui::setVisible({&f.Picture2, &f.Picture3}, false);
  const Mil49470Characteristic* c = FindMil49470Characteristic(f.CB_Mil_Prf_Ch.text());
  if (!c) return;
  FillMilitaryList(f.CB_Type_Tol, c->tolerances);
  FillMilitaryList(f.CB_Type_Volt, c->voltages);
}

void LookupMil49470Part() {
  MainForm& f = F_QuentaMainForm();
  Mil49470Record& state = gMil49470;
  state.Mil49470Pins.clear();
  state.Mil49470MakerPns.clear();
  gSelection.SeriesIndex = 1;
  gSelection.PartNumberText.clear();

  const Pin pin = ReadPanel(f);
  const Mil49470List* list = FindMil49470List(pin.voltage);
  if (list) gSelection.VoltageIndex = list->voltageIndex;
  if (!list || !NamesAPart(pin)) {
    ShowInvalid(f);
    return;
  }

  const std::optional<std::vector<PartListRecord>> records = ReadUsablePartList(list->file);
  if (!records) {
    ShowInvalid(f);
    return;
  }

  const bool sheet02 = pin.sheet == "02";
  for (const PartListRecord& record : *records) {
    if (LeadExcludes(record[5], pin.lead)) continue;
    const std::string code = record[0].substr(9, 3);
    const char dielectric = record[3].size() > 1 && record[3][1] == 'P' ? 'A' : 'C';
    state.Mil49470Pins.push_back(pin.level + record[0][6] + pin.sheet + code + pin.tolerance +
                                 list->letter + pin.lead);
    state.Mil49470MakerPns.push_back(std::string("KD") + (sheet02 ? '9' : '0') + record[4][0] +
                                     list->makerDigit + dielectric + code + pin.tolerance + "H" +
                                     MakerLead(pin.lead) + HeightCode(record[6], sheet02));
  }

  // The first record in file order whose PIN ends in the key is the part.
  const std::string key = pin.Key();
  for (std::size_t i = 0; i < state.Mil49470Pins.size(); ++i) {
    if (!state.Mil49470Pins[i].ends_with(key)) continue;
    gSelection.PartNumberText = state.Mil49470MakerPns[i];
    break;
  }
  if (gSelection.PartNumberText.empty() ||
      !SelectPart(f, pin, gSelection.PartNumberText, *list)) {
    ShowInvalid(f);
  }
}

void CheckMil49470PartLists() {
  for (const Mil49470List& list : Mil49470Lists()) ReadUsablePartList(list.file);
}

}  // namespace quenta
