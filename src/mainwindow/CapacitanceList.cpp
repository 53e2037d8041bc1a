#include "mainwindow/CapacitanceList.h"

#include <cmath>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "catalogue/CapLimits.h"
#include "catalogue/DesignState.h"
#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "mainwindow/MainForm.h"

namespace quenta {

namespace {

constexpr double kE24[] = {1,   1.1, 1.2, 1.3, 1.5, 1.6, 1.8, 2,   2.2, 2.4, 2.7, 3,
                           3.3, 3.6, 3.9, 4.3, 4.7, 5.1, 5.6, 6.2, 6.8, 7.5, 8.2, 9.1};
constexpr double kE12[] = {1, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3, 3.9, 4.7, 5.6, 6.8, 8.2};
constexpr double kE6[] = {1, 1.5, 2.2, 3.3, 4.7, 6.8};
// Below 1 pF a +/-5% part is offered at 0.5 pF only.
constexpr double kHalfPicofarad[] = {5};

const std::string kMicro = "\xC2\xB5";  // the micro sign

// A preferred value as the list shows it: a blank in place of a plus sign
// and no zero in front of the decimal point (" 4.7", " .5").
std::string preferredText(double value) {
  std::string text = FormatGeneral(value);
  if (text.rfind("0.", 0) == 0) text.erase(0, 1);
  else if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
  return value < 0 ? text : " " + text;
}

enum class Decade { Only, Lowest, Highest, Between };

// The preferred-value series of one decade. The 0.5 pF rule of the +/-5%
// tolerance applies to the lowest (or only) decade below 1 pF and tests
// the lower limit only.
struct Choice {
  std::span<const double> values;
  bool lowerTestOnly = false;
};

Choice chooseSeries(Decade decade, const std::string& tolerance, int series, int d) {
  const bool twelveFor456 = IsOneOf(series, {4, 5, 6});
  if (tolerance == "+/-10%") return {kE12};
  if (tolerance == "+/-5%") {
    switch (decade) {
      case Decade::Only:
        if (d < -6) return {kHalfPicofarad, true};
        return {IsOneOf(series, {3, 5, 6}) ? std::span<const double>(kE12) : kE24};
      case Decade::Lowest:
        if (d < -6) return {kHalfPicofarad, true};
        return {twelveFor456 ? std::span<const double>(kE12) : kE24};
      case Decade::Highest:
        return {twelveFor456 ? std::span<const double>(kE12) : kE24};
      case Decade::Between:
        return {kE24};
    }
  }
  switch (decade) {
    case Decade::Only:
    case Decade::Lowest:
      return {IsOneOf(series, {4, 5, 6, 10, 11}) ? std::span<const double>(kE12) : kE6};
    case Decade::Highest:
      return {twelveFor456 ? std::span<const double>(kE12) : kE6};
    case Decade::Between:
      break;
  }
  return {kE6};
}

double catalogueLimit(const CapLimitTables::CapTable& table) {
  const auto& s = gSelection;
  if (!CapLimitTables::CapTable::Contains(s.SeriesIndex, s.CaseIndex, s.DielectricIndex,
                                          s.VoltageIndex))
    return -1;
  return table(s.SeriesIndex, s.CaseIndex, s.DielectricIndex, s.VoltageIndex);
}

// Fills the list from the catalogue limits; returns the entries in order.
std::vector<std::string> computedEntries(MainForm& f) {
  double cmin = catalogueLimit(gCapLimits.MinCapTable);
  double cmax = catalogueLimit(gCapLimits.MaxCapTable);
  if (f.CK_Comm.visible() && f.CK_Comm.value() == ui::CheckBox::Checked)
    cmax = StyleCapLimit();
  if (cmin > cmax) cmin = cmax;
  // A limit of 0 or less (or one that is not a number) has no decade to
  // build: the selection is shown as not offered.
  if (cmax == -1 || !(cmin > 0) || !(cmax > 0) || !std::isfinite(cmin) || !std::isfinite(cmax))
    return {"No Capacitance"};

  const int dlo = static_cast<int>(std::floor(Log10(cmin)));
  const int dhi = static_cast<int>(std::floor(Log10(cmax)));
  const double mlo = cmin * std::pow(10.0, -dlo);
  const double mlo2 = cmin / std::pow(10.0, dlo);
  const double mhi = cmax / std::pow(10.0, dhi);

  std::vector<std::string> entries;
  for (int d = dlo; d <= dhi; ++d) {
    std::string unit;
    double factor = 0;
    if (d <= -4) {
      unit = " pF";
      factor = std::pow(10.0, d + 6);
      f.Label8.setCaption("p");
    } else if (d <= -1) {
      unit = " nF";
      factor = std::pow(10.0, d + 3);
      f.Label8.setCaption("n");
    } else {
      unit = " " + kMicro + "F";
      factor = std::pow(10.0, d);
      f.Label8.setCaption(kMicro);
    }
    const std::string tolerance = f.CB_Tolerance.text();
    const Decade decade = d == dlo && d == dhi ? Decade::Only
                          : d == dlo           ? Decade::Lowest
                          : d == dhi           ? Decade::Highest
                                               : Decade::Between;
    const Choice choice = chooseSeries(decade, tolerance, gSelection.SeriesIndex, d);
    for (double k : choice.values) {
      bool take = true;
      if (choice.lowerTestOnly) take = mlo <= k;
      else if (decade == Decade::Only) take = mlo <= k && k <= mhi;
      else if (decade == Decade::Lowest) take = mlo <= k;
      else if (decade == Decade::Highest) take = k <= mhi;
      if (take) entries.push_back(preferredText(k * factor) + unit);
    }

    // The exact limits bracket the preferred values where they are not
    // preferred values themselves.
    const bool lowerEnd = decade == Decade::Only || decade == Decade::Lowest;
    const bool upperEnd = decade == Decade::Only || decade == Decade::Highest;
    const std::string lowText = FormatGeneral(mlo2 * factor);
    const std::string highText = FormatGeneral(mhi * factor);
    if (decade == Decade::Only && entries.empty()) {
      if (mlo2 != mhi) entries.push_back(lowText + unit);
      entries.push_back(highText + unit);
      continue;
    }
    if (lowerEnd && !entries.empty() && !entries.front().empty() &&
        LeadingNumber(entries.front()) != LeadingNumber(lowText))
      entries.insert(entries.begin(), " " + lowText + unit);
    if (upperEnd && !entries.empty() && !entries.back().empty() &&
        LeadingNumber(entries.back()) != LeadingNumber(highText))
      entries.push_back(" " + highText + unit);
  }
  return entries;
}

// The fixed lists of series 23 to 25, by case code and voltage text.
void addFixedEntries(MainForm& f) {
  auto add = [&f](std::initializer_list<const char*> values) {
    for (const char* v : values) f.CB_Cap.addItem(std::string(v) + " " + kMicro + "F");
  };
  const int series = gSelection.SeriesIndex;
  if (series == 23 || series == 25) {
    f.Label8.setCaption(kMicro);
    const std::string caseText = f.CB_Case.text();
    if (caseText == "12") {
      gSelection.CaseIndex = 110;
      if (f.CB_Volt.text() == "25") {
        // Case "12" has no 25 V part: move to 50 V. The voltage handler
        // may rebuild this list inside the write; it is built once below
        // whatever that handler did.
        f.CB_Volt.setText("50");
        f.CB_Cap.clear();
      }
    }
    if (caseText == "20") gSelection.CaseIndex = 109;
    if (caseText == "10") gSelection.CaseIndex = 112;
    const std::string volt = f.CB_Volt.text();
    switch (gSelection.CaseIndex) {
      case 109:
        if (volt == "25") add({"68", "100", "220"});
        if (volt == "50") add({"27", "47", "100"});
        if (volt == "100") add({"14", "22", "47"});
        break;
      case 110:
        if (volt == "50") add({"18", "27", "50"});
        if (volt == "100") add({"8.2", "12", "22"});
        break;
      case 112:
        if (volt == "25") add({"82"});
        if (volt == "50") add({"18", "39"});
        if (volt == "100") add({"8.2"});
        break;
      default:
        break;
    }
  }
  if (series == 24) {
    f.Label8.setCaption(kMicro);
    const std::string volt = f.CB_Volt.text();
    if (volt == "25") add({"2.2", "3.3", "4.7", "6.8", "10", "15", "22"});
    if (volt == "50") add({"2.2", "3.3", "4.7", "6.8", "10"});
    if (volt == "100") add({"2.2", "3.3", "4.7"});
  }
}

}  // namespace

void FollowListCapacitanceUnit() {
  MainForm& f = F_QuentaMainForm();
  if (f.CB_Cap.listCount() == 0) return;
  const std::string& largest = f.CB_Cap.list(f.CB_Cap.listCount() - 1);
  if (largest.ends_with(" pF")) f.Label8.setCaption("p");
  else if (largest.ends_with(" nF")) f.Label8.setCaption("n");
  else if (largest.ends_with(" " + kMicro + "F")) f.Label8.setCaption(kMicro);
}

int StyleCapLimit() { return StyleCapLimitFor(gSelection.CaseIndex); }

void FillCapacitanceList() {
  MainForm& f = F_QuentaMainForm();
  f.CB_Cap.clear();
  const int series = gSelection.SeriesIndex;
  if (series >= 23 && series <= 25) {
    addFixedEntries(f);
    // A combination without a fixed list leaves the list empty and
    // selects nothing.
    if (f.CB_Cap.listCount() > 0) f.CB_Cap.setText(f.CB_Cap.list(0));
    return;
  }
  const std::vector<std::string> entries = computedEntries(f);
  for (const std::string& entry : entries) f.CB_Cap.addItem(entry);
  if (entries.empty()) return;
  // "No Capacitance" is the single entry there; otherwise the largest
  // value, the last entry, is selected.
  f.CB_Cap.setText(entries.back());
}

}  // namespace quenta
