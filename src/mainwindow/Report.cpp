#include "mainwindow/Report.h"

#include <utility>

#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "engine/ChipDesign.h"
#include "mainwindow/MainForm.h"
#include "ui/Printer.h"
#include "ui/Services.h"
#include "ui/TextChars.h"

namespace quenta {

namespace {

constexpr double kValueColumn = 4200;  // twips
constexpr int kZ5U = 3;

std::function<Mil123ReportValues()>& Mil123Source() {
  static std::function<Mil123ReportValues()> source;
  return source;
}

Mil123ReportValues Mil123Values() {
  const auto& source = Mil123Source();
  return source ? source() : Mil123ReportValues{};
}

// The manual capacitance in microfarads: a plain number as typed, one
// typed with its unit ("47nF") as its value in microfarads.
std::string TypedMicrofaradsText(const std::string& typed) {
  double value = 0;
  if (ParseWholeNumber(typed, value) == NumberStatus::Ok ||
      ReadTypedMicrofarads(typed, value) != NumberStatus::Ok)
    return typed;
  return FormatGeneral(value);
}

// The case as the window shows it: BW shows its case "V1" in a box in
// place of the case list.
std::string ShownCaseText(const MainForm& f) {
  return f.Text1.visible() ? f.Text1.text() : f.CB_Case.text();
}

}  // namespace

void SetMil123ReportSource(std::function<Mil123ReportValues()> source) {
  Mil123Source() = std::move(source);
}

std::vector<ReportRow> ReportRows() {
  const MainForm& f = F_QuentaMainForm();
  const DesignSelection& sel = gSelection;
  const bool mil123 = f.OB_MIL123.value();
  const bool military = mil123 || f.OB_Mil_Prf.value();

  // A MIL-PRF-123 part is printed as decoded: the maker lists and the
  // manual capacitance box, hidden in that mode, hold another part.
  const Mil123ReportValues part = mil123 ? Mil123Values() : Mil123ReportValues{};
  std::string capacitance;
  if (mil123)
    capacitance = sel.CapacitanceText;
  else if (f.CK_ManCap.value() == ui::CheckBox::Checked)
    capacitance = TypedMicrofaradsText(f.T_Capacitance.text()) + " microFarads";
  else
    capacitance = sel.CapTextOriginal;

  std::vector<ReportRow> rows = {
      {military ? "MIL-PRF Part#  " : "Norvel Part Number",
       military ? f.T_Mil_Prf.text() : f.T_Specs[0].text()},
      {f.L_Specs[0].caption(), f.T_Specs[1].text()},
      {f.L_Specs[1].caption(), f.T_Specs[2].text()},
      {"ESL at Self Resonance", f.T_Specs[3].text() + " nH"},
      {"Coefficient of Thermal Transfer", f.T_Specs[4].text() + " \u00B0C/W"},
      {f.Label1[4].caption(), f.T_FreqSpecs[0].text()},
      {"Power Dissipation", f.T_TempSpecs[1].text() + " Watts"},
      {"Current", f.T_TempSpecs[0].text() + " Amps RMS"},
      {"Internal Temperature", f.T_TempSpecs[2].text() + " \u00B0C"},
      {"Temperature Rise", f.T_TempRise.text() + " \u00B0C"},
      {"Ambient Temperature", f.T_TempAmbient.text() + " \u00B0C"},
      {"Operating Frequency", f.T_Frequency.text() + " kHz"},
      {"Capacitance", capacitance},
      {"Voltage", mil123 ? part.voltage : f.CB_Volt.text()},
      {"Dielectric", mil123 ? part.dielectric : f.CB_Dielectric.text()},
      {"Tolerance", mil123 ? part.tolerance : f.CB_Tolerance.text()},
      {"Type", mil123 ? sel.PartNumberText.substr(0, ui::CharOffset(sel.PartNumberText, 4))
                      : f.CB_Type.text()},
      {"Case Size", mil123 ? std::string("M123") : ShownCaseText(f)},
      {"Phase Angle", f.phase[0].text() + " \u00B0"},
      {"Approx. Weight", f.weight_tb[5].text() + " grams"},
      {"Ripple Voltage", f.T_TempSpecs[5].text() + " Volts RMS"},
  };
  if (f.Command4.visible()) {
    const ChipDesign& c = gChip;
    rows.push_back({"Chips", std::to_string(c.Chips)});
    rows.push_back({"Effectives", FormatGeneral(c.Effectives)});
    rows.push_back({"Thickness", ActiveLayerThickMilsText()});
    rows.push_back({"Mult", std::to_string(c.Mult)});
    rows.push_back({"in/Chip Thick", FormatChipThickness(c.ChipThickInch)});
  }
  return rows;
}

std::vector<std::string> ReportNotice() {
  if (gSelection.DielectricIndex != kZ5U) return {};
  return {"The Z5U dielectric is no longer offered", "This part # is not valid"};
}

void Command2_Click() {
  MainForm& f = F_QuentaMainForm();
  ui::Printer& printer = ui::services().printer();
  try {
    f.setMousePointer(ui::MousePointer::Hourglass);
    printer.setOrientation(ui::Orientation::Portrait);
    ui::startFromOwnSettings(printer);
    printer.setFontName("Arial");
    printer.setFontSize(12);

    const std::vector<ReportRow> rows = ReportRows();
    // Both columns print one line a row in the same font, so each value
    // lines up with its label.
    printer.setCurrentX(0);
    printer.setCurrentY(0);
    for (const ReportRow& row : rows) printer.print(row.label);
    printer.setCurrentY(0);
    for (const ReportRow& row : rows) {
      printer.setCurrentX(kValueColumn);
      printer.print(row.value);
    }
    for (const std::string& line : ReportNotice()) {
      printer.setCurrentX(kValueColumn);
      printer.print(line);
    }
    printer.endDoc();
    f.setMousePointer(ui::MousePointer::Default);
  } catch (const ui::PrinterError& error) {
    ShowPrintingError(error.number, error.description);
    f.setMousePointer(ui::MousePointer::Default);
  }
}

void ShowPrintingError(int number, const std::string& description) {
  // The page is abandoned before the box shows: no half page stays queued
  // to come out with a later document.
  ui::passOverPrinterFailure([] { ui::services().printer().killDoc(); });
  ui::msgBox("Printing Error\r\nError Number: " + std::to_string(number) + "\r\n" + description,
             ui::MsgButtons::Ok, "Error!", ui::MsgIcon::None);
}

}  // namespace quenta
