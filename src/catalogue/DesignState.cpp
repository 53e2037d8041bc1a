#include "catalogue/DesignState.h"

#include <cmath>

namespace quenta {

DesignSelection gSelection;
OperatingTemps gTemps;
CodeTables gCodes;
ChipDesign gChip;
CaseGeometry gCaseGeometry;
ElectricalResults gResults;
EsrTempCoefficients gEsrTc;
CapVoltageCurve gCurve;
DesignRuleTables gDesignRules;
CapLimitTables gCapLimits;
double Pi = 0;

namespace {

void FillCaseCodes() {
  for (auto& code : gCodes.CaseCode) code.clear();
  for (int n = 1; n <= 99; ++n) {
    char text[3] = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10), '\0'};
    gCodes.CaseCode[static_cast<std::size_t>(n)] = text;
  }
  // EIA sizes, then the style codes of the leaded series. "20", "12" and
  // "10" stand twice: different case codes that print the same.
  static const char* const kSpecial[] = {"0805", "1206", "1210", "1808", "1812", "1825",
                                         "2220", "2225", "3640", "20",   "12",   "V1",
                                         "10",   "20",   "12",   "10"};
  std::size_t entry = 100;
  for (const char* text : kSpecial) gCodes.CaseCode[entry++] = text;
}

template <std::size_t N>
void FillLetters(std::array<std::string, N>& table, const char (&letters)[N + 1]) {
  for (std::size_t i = 0; i < N; ++i) table[i] = std::string(1, letters[i]);
}

}  // namespace

void SetDesignDefaults() {
  gChip.DesignFlag1 = 0;
  gChip.DesignFlag2 = 0;
  gChip.DesignFlag3 = 0;

  Pi = 4.0 * std::atan(1.0);

  FillCaseCodes();

  gChip.DielThickness = 1.5;
  gChip.Mult = 1;
  gChip.Covers = 3;
  gChip.Cascades = 1;

  gSelection.SeriesIndex = 1;
  gSelection.CaseIndex = 2;
  gSelection.VoltageIndex = 2;
  gSelection.DielectricIndex = 1;
  gSelection.ToleranceIndex = 2;

  gSelection.Capacitance = 3e-06;
  gSelection.Frequency = 100000;
  gTemps.TempAmbient = 25;
  gTemps.TempRise = 0;

  gResults.DielBXFlag = 0;
  gSelection.CommercialFlag = 0;

  SetOrdinaryTempLimits(50);

  FillLetters(gCodes.DielCode, "ACE4T");
  FillLetters(gCodes.TolCode, "JKMZP");
  FillLetters(gCodes.VoltCode, "3512987CASGWHJKLMN");
}

void SetOrdinaryTempLimits(int16_t riseMax) {
  gTemps.TempMax = 125;
  gTemps.TempMin = -55;
  gTemps.TempRiseMax = riseMax;
  gTemps.TempTotalMax = 150;
}

}  // namespace quenta
