#pragma once

// The shared design state: one instance of each record, at module level,
// read and written field by field by every part of the program. Fields
// that the catalogue loader does not set start empty (0 or "").

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Table.h"

namespace quenta {

// X7R (also shown as VHT) and Z5U: the dielectrics whose capacitance moves
// with the applied voltage. They have the voltage-coefficient panel, the
// capacitance-change graph and the AC-mains notice.
inline bool VoltageDependentDielectric(int dielectric) { return dielectric == 2 || dielectric == 3; }

// The chip sizes 0805 to 3640: each part is one chip.
inline bool ChipSizeSeries(int series) { return series >= 14 && series <= 22; }

// The part being designed.
struct DesignSelection {
  int16_t SeriesIndex = 0;      // item code of the series list, 1 to 25
  int16_t CaseIndex = 0;        // case or style code, 0 to 125 (index into CaseCode)
  int16_t VoltageIndex = 0;     // voltage code, 1 to 18
  int16_t DielectricIndex = 0;  // 1 C0G, 2 X7R, 3 Z5U, 4 N1500 (5 has a letter only)
  int16_t ToleranceIndex = 0;   // 1 +/-5%, 2 +/-10%, 3 +/-20%, 4 +80/-20%, 5 GMV
  double Capacitance = 0;       // farads
  double Frequency = 0;         // operating frequency, hertz
  double WorkFrequency = 0;     // frequency the formulas use, hertz
  int16_t CommercialFlag = 0;   // 0 or 1: the "Commercial" box
  std::string CaseText;         // the case as the case list shows it
  std::string VoltageText;      // rated voltage text in MIL-PRF-123 entry
  std::string CapacitanceText;  // capacitance text of the part, with its unit
  std::string CapTextOriginal;  // last text given to CapTextToMicrofarads
  std::string PartNumberText;   // part number composed or matched by the military paths

  // What the chip design reads of the entry. The main window writes them
  // before each design, the catalogue generator for each trial design.
  bool Mil123Entry = false;      // MIL-PRF-123 part-number entry is selected
  bool CommercialTicked = false; // the "Commercial" box is ticked (shown or not)
  bool ManualCapEntry = false;   // the capacitance comes from the typed box
  std::string ListedCapText;     // the pick-list's selected entry ("82 µF")
};

// The operating point and its limits, in degrees Celsius.
struct OperatingTemps {
  int16_t TempAmbient = 0;
  int16_t TempRise = 0;      // the rise the user allows
  int16_t TempMax = 0;       // highest operating temperature of the series
  int16_t TempMin = 0;       // lowest operating temperature of the series
  int16_t TempRiseMax = 0;   // highest rise the series allows
  int16_t TempTotalMax = 0;  // highest ambient plus rise
  int16_t InternalTemp = 0;  // ambient plus rise
};

// The letters and codes the maker's part number is spelled from.
struct CodeTables {
  std::array<std::string, 126> CaseCode;  // by CaseIndex
  std::array<std::string, 18> VoltCode;   // letter of voltage index i at i - 1
  std::array<std::string, 5> DielCode;    // letter of dielectric index i at i - 1
  std::array<std::string, 5> TolCode;     // letter of tolerance index i at i - 1
};

// The internal construction computed for the selection.
struct ChipDesign {
  int16_t Chips = 0;
  double Effectives = 0;  // active layers per chip, a whole number
  int32_t DielectricK = 0;
  int16_t MinEffectives = 0;
  double ThicknessScale = 0;
  double LengthWidthScale = 0;
  double DielThickness = 0;  // mils
  // True while DielThickness still holds the single-precision value of a
  // design-rule table entry: the active-layer thickness is then worked in
  // single precision. Any other write of DielThickness clears it.
  bool DielThicknessIsSingle = false;
  double ActiveLayerThick = 0;  // inches
  int32_t Mult = 0;
  int32_t Covers = 0;
  int32_t Cascades = 0;
  double ChipThickInch = 0;
  double VolumeFactor = 0;
  int16_t DesignFlag1 = 0;
  int16_t DesignFlag2 = 0;
  int16_t DesignFlag3 = 0;
  int16_t DesignFlag4 = 0;
  int16_t DesignFlag5 = 0;
  int16_t FewEffectivesAccepted = 0;
  int16_t NonStandardDesign = 0;
};

// Body dimensions, thickness limits and effective area of the selected
// series, case and cascade count.
struct CaseGeometry {
  double CaseLength = 0;  // inches
  double CaseWidth = 0;   // inches
  float TermBand = 0;     // inches
  int16_t MaxThickCheck = 0;
  double MaxThickness = 0;  // inches
  double MinThickness = 0;  // inches
  double EffArea = 0;
};

// Electrical and thermal results at the operating point.
struct ElectricalResults {
  double Esl = 0;             // H
  double LeadInductance = 0;  // nH, one lead
  double ThermalRes = 0;      // degrees C per W
  double VoltageDerate = 0;
  double VoltageLimit = 0;  // V
  double ReactanceL = 0;    // ohms
  double PhaseRatio = 0;
  double PhaseWork = 0;  // rad
  double Phase = 0;      // degrees
  double Impedance = 0;  // ohms
  double CurrentAtTempRise = 0;
  double MaxCurrentThermal = 0;
  double MaxCurrentVoltage = 0;
  double MaxCurrent = 0;
  double RippleVoltage = 0;
  float RippleVoltageShown = 0;
  double Weight = 0;  // g
  int16_t LeadFlag = 0;
  double LengthScaled = 0;
  double WidthScaled = 0;
  double LeadCoef1 = 0;
  double LeadCoef2 = 0;
  // The ESL's series term: strip count and wire diameter (inches). They
  // keep the value of the last calculation that set them.
  int16_t LeadTerm = 0;
  double EslPart = 0;
  int16_t DielBPFlag = 0;
  int16_t DielBXFlag = 0;
};

// Coefficients of the ESR temperature correction.
struct EsrTempCoefficients {
  double EsrTcA = 0;
  double EsrTcB = 0;
  double EsrTcC = 0;
  double EsrTcD = 0;
  double EsrPoly0 = 0;
  double EsrPoly1 = 0;
  double EsrPoly2 = 0;
  double EsrPoly3 = 0;
};

// Capacitance change against applied voltage. The point arrays are
// shared with the graph window, which resizes and refills them.
struct CapVoltageCurve {
  double CurveVoltMax = 0;
  double DielThickTotal = 0;
  double CurveVolt = 0;
  double CurveField = 0;
  double CapChange = 0;
  double CapDisplay = 0;
  int16_t CurveCutIndex = 0;
  int16_t CurveLastPoint = 0;
  std::vector<double> GraphY1;
  std::vector<double> GraphY2;
  std::vector<double> GraphY3;
};

// Design rules by (CommercialFlag 0-1, DielectricIndex 0-5, VoltageIndex 0-18);
// -1 means no rule is listed.
struct DesignRuleTables {
  Table<float, 2, 6, 19> DesignRule1;  // dielectric thickness per layer, mils
  Table<float, 2, 6, 19> DesignRule2;  // layer multiplier
  Table<float, 2, 6, 19> DesignRule3;  // cover layers
  Table<float, 2, 6, 19> DesignRule4;  // cascades
};

// Catalogue capacitance limits in microfarads by (SeriesIndex 0-25,
// CaseIndex 0-125, DielectricIndex 0-5, VoltageIndex 0-18), -1 meaning not
// offered, and the case positions by (CaseIndex 0-125, SeriesIndex 0-22).
// The catalogue lists a few hundred of the twenty thousand series, case
// and dielectric rows: only those are stored.
struct CapLimitTables {
  using CapTable = SparseTable<double, 26, 126, 6, 19>;
  using LookupTable = Table<int16_t, 126, 23>;
  CapTable MaxCapTable;
  CapTable MinCapTable;
  LookupTable CaseLookup;
  bool CapSearchAllRows = false;  // set once a case has been chosen
};

extern DesignSelection gSelection;
extern OperatingTemps gTemps;
extern CodeTables gCodes;
extern ChipDesign gChip;
extern CaseGeometry gCaseGeometry;
extern ElectricalResults gResults;
extern EsrTempCoefficients gEsrTc;
extern CapVoltageCurve gCurve;
extern DesignRuleTables gDesignRules;
extern CapLimitTables gCapLimits;
extern double Pi;

// Gives the design state the catalogue loader's defaults: design flags 1
// to 3, Pi, the code tables, the chip-design defaults, the selection, the
// operating point and the temperature limits of an ordinary series. Fields
// the loader does not own (results, DesignFlag4/5, NonStandardDesign,
// FewEffectivesAccepted, LeadFlag, CapSearchAllRows, ...) are left alone.
// Run it after the catalogue files have been loaded successfully.
void SetDesignDefaults();

// The temperature limits of an ordinary series: 125 °C, -55 °C and 150 °C
// for ambient plus rise, with the rise it allows.
void SetOrdinaryTempLimits(int16_t riseMax);

}  // namespace quenta
