#include "mainwindow/PrintScreen.h"

#include "catalogue/DesignState.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Report.h"
#include "ui/Printer.h"
#include "ui/Services.h"

#ifndef QUENTA_DATASHEET_BASE
#error "QUENTA_DATASHEET_BASE (the datasheet base address) is set by the build"
#endif

namespace quenta {

namespace {

constexpr int kZ5U = 3;

void Open(const std::string& document) {
  ui::services().shellOpen(DatasheetBaseAddress() + document);
}

}  // namespace

std::string DatasheetBaseAddress() { return QUENTA_DATASHEET_BASE; }

std::string DatasheetDocument(int series, int caseIndex) {
  switch (series) {
    case 1: return std::to_string(caseIndex).starts_with("9") ? "KD9.pdf" : "KD-Style.pdf";
    case 2: return "KF-Style.pdf";
    case 3: return "WB_Series.pdf";
    case 4:
    case 5: return "PJ_PY-SMPS.pdf";
    case 6: return "NX-Style.pdf";
    case 7: return "GZ-Style.pdf";
    case 8: return "Norvel-GQ_Style.pdf";
    case 9: return "GU-Style.pdf";
    case 10: return "KDD_Sheet1.pdf";
    case 11: return "KFF_Series.pdf";
    case 12: return "kdz.pdf";
    case 13: return "GJW-Style.pdf";
    case 23: return caseIndex == 112 ? "mini_vortan.pdf" : "vortancap.pdf";
    case 25: return caseIndex == 112 ? "rohs_mini.pdf" : "vortan_rohs.pdf";
    case 24: return "BW_CeramicCapacitor.pdf";
    default: break;
  }
  if (ChipSizeSeries(series)) return "Norvel-WB_MLCC.pdf";
  return "";
}

void Command5_Click() {
  MainForm& f = F_QuentaMainForm();
  // The notice belongs to a Z5U part of maker entry; a military entry
  // keeps the dielectric index of the maker part it left, but not its notice.
  const bool z5u = gSelection.DielectricIndex == kZ5U && f.OB_Part_Num.value();
  if (z5u) {
    // The notice goes on the page whatever phase its blink was in.
    f.Timer2.setEnabled(false);
    f.Label10.setVisible(true);
  }
  f.setMousePointer(ui::MousePointer::Hourglass);
  ui::Printer& printer = ui::services().printer();
  ui::passOverPrinterFailure([&] { printer.setOrientation(ui::Orientation::Portrait); });
  // Sends whatever was still open on the printer.
  ui::passOverPrinterFailure([&] { printer.endDoc(); });
  try {
    printer.printForm(f);
  } catch (const ui::PrinterError& error) {
    // Nothing is printed: the user hears why, as from the results report,
    // and no half-built page stays queued for the next document.
    f.setMousePointer(ui::MousePointer::Default);
    ShowPrintingError(error.number, error.description);
  }
  f.setMousePointer(ui::MousePointer::Default);
  if (z5u) f.Timer2.setEnabled(true);
}

void Command6_Click() {
  MainForm& f = F_QuentaMainForm();
  if (f.OB_Part_Num.value()) {
    const std::string document =
        DatasheetDocument(gSelection.SeriesIndex, gSelection.CaseIndex);
    if (!document.empty()) Open(document);
  }
  if (f.OB_Mil_Prf.value()) Open("KD-MIL-Style.pdf");
  if (f.OB_MIL123.value()) Open("m123_chips.pdf");
}

}  // namespace quenta
