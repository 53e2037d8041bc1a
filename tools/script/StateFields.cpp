// The fields of the shared design state that `state RECORD.FIELD` reads,
// by record and field name. Adding a field is one FIELD line.
#include <cstdio>
#include <map>
#include <string>
#include <type_traits>

#include "Runner.h"
#include "catalogue/DesignState.h"
#include "ui/Headless.h"

namespace script {

namespace {

std::string format(const std::string& text) { return ui::quoteText(text); }
std::string format(bool value) { return value ? "True" : "False"; }

template <typename T>
  requires std::is_arithmetic_v<T>
std::string format(T value) {
  if constexpr (std::is_floating_point_v<T>) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", static_cast<double>(value));
    return buf;
  } else {
    return std::to_string(value);
  }
}

using Getter = std::string (*)();

#define FIELD(RECORD, INSTANCE, NAME) \
  { #RECORD "." #NAME, [] { return format(quenta::INSTANCE.NAME); } }

const std::map<std::string, Getter>& fields() {
  static const std::map<std::string, Getter> table = {
      FIELD(DesignSelection, gSelection, SeriesIndex),
      FIELD(DesignSelection, gSelection, CaseIndex),
      FIELD(DesignSelection, gSelection, VoltageIndex),
      FIELD(DesignSelection, gSelection, DielectricIndex),
      FIELD(DesignSelection, gSelection, ToleranceIndex),
      FIELD(DesignSelection, gSelection, Capacitance),
      FIELD(DesignSelection, gSelection, Frequency),
      FIELD(DesignSelection, gSelection, WorkFrequency),
      FIELD(DesignSelection, gSelection, CommercialFlag),
      FIELD(DesignSelection, gSelection, CaseText),
      FIELD(DesignSelection, gSelection, VoltageText),
      FIELD(DesignSelection, gSelection, CapacitanceText),
      FIELD(DesignSelection, gSelection, CapTextOriginal),
      FIELD(DesignSelection, gSelection, PartNumberText),

      FIELD(OperatingTemps, gTemps, TempAmbient),
      FIELD(OperatingTemps, gTemps, TempRise),
      FIELD(OperatingTemps, gTemps, TempMax),
      FIELD(OperatingTemps, gTemps, TempMin),
      FIELD(OperatingTemps, gTemps, TempRiseMax),
      FIELD(OperatingTemps, gTemps, TempTotalMax),
      FIELD(OperatingTemps, gTemps, InternalTemp),

      FIELD(ChipDesign, gChip, Chips),
      FIELD(ChipDesign, gChip, Effectives),
      FIELD(ChipDesign, gChip, DielectricK),
      FIELD(ChipDesign, gChip, MinEffectives),
      FIELD(ChipDesign, gChip, ThicknessScale),
      FIELD(ChipDesign, gChip, LengthWidthScale),
      FIELD(ChipDesign, gChip, DielThickness),
      FIELD(ChipDesign, gChip, ActiveLayerThick),
      FIELD(ChipDesign, gChip, Mult),
      FIELD(ChipDesign, gChip, Covers),
      FIELD(ChipDesign, gChip, Cascades),
      FIELD(ChipDesign, gChip, ChipThickInch),
      FIELD(ChipDesign, gChip, VolumeFactor),
      FIELD(ChipDesign, gChip, DesignFlag1),
      FIELD(ChipDesign, gChip, DesignFlag2),
      FIELD(ChipDesign, gChip, DesignFlag3),
      FIELD(ChipDesign, gChip, DesignFlag4),
      FIELD(ChipDesign, gChip, DesignFlag5),
      FIELD(ChipDesign, gChip, FewEffectivesAccepted),
      FIELD(ChipDesign, gChip, NonStandardDesign),

      FIELD(CaseGeometry, gCaseGeometry, CaseLength),
      FIELD(CaseGeometry, gCaseGeometry, CaseWidth),
      FIELD(CaseGeometry, gCaseGeometry, TermBand),
      FIELD(CaseGeometry, gCaseGeometry, MaxThickCheck),
      FIELD(CaseGeometry, gCaseGeometry, MaxThickness),
      FIELD(CaseGeometry, gCaseGeometry, MinThickness),
      FIELD(CaseGeometry, gCaseGeometry, EffArea),

      FIELD(ElectricalResults, gResults, Esl),
      FIELD(ElectricalResults, gResults, LeadInductance),
      FIELD(ElectricalResults, gResults, ThermalRes),
      FIELD(ElectricalResults, gResults, VoltageDerate),
      FIELD(ElectricalResults, gResults, VoltageLimit),
      FIELD(ElectricalResults, gResults, ReactanceL),
      FIELD(ElectricalResults, gResults, PhaseRatio),
      FIELD(ElectricalResults, gResults, PhaseWork),
      FIELD(ElectricalResults, gResults, Phase),
      FIELD(ElectricalResults, gResults, Impedance),
      FIELD(ElectricalResults, gResults, CurrentAtTempRise),
      FIELD(ElectricalResults, gResults, MaxCurrentThermal),
      FIELD(ElectricalResults, gResults, MaxCurrentVoltage),
      FIELD(ElectricalResults, gResults, MaxCurrent),
      FIELD(ElectricalResults, gResults, RippleVoltage),
      FIELD(ElectricalResults, gResults, RippleVoltageShown),
      FIELD(ElectricalResults, gResults, Weight),
      FIELD(ElectricalResults, gResults, LeadFlag),
      FIELD(ElectricalResults, gResults, LengthScaled),
      FIELD(ElectricalResults, gResults, WidthScaled),
      FIELD(ElectricalResults, gResults, LeadCoef1),
      FIELD(ElectricalResults, gResults, LeadCoef2),
      FIELD(ElectricalResults, gResults, DielBPFlag),
      FIELD(ElectricalResults, gResults, DielBXFlag),

      FIELD(EsrTempCoefficients, gEsrTc, EsrTcA),
      FIELD(EsrTempCoefficients, gEsrTc, EsrTcB),
      FIELD(EsrTempCoefficients, gEsrTc, EsrTcC),
      FIELD(EsrTempCoefficients, gEsrTc, EsrTcD),
      FIELD(EsrTempCoefficients, gEsrTc, EsrPoly0),
      FIELD(EsrTempCoefficients, gEsrTc, EsrPoly1),
      FIELD(EsrTempCoefficients, gEsrTc, EsrPoly2),
      FIELD(EsrTempCoefficients, gEsrTc, EsrPoly3),

      FIELD(CapVoltageCurve, gCurve, CurveVoltMax),
      FIELD(CapVoltageCurve, gCurve, DielThickTotal),
      FIELD(CapVoltageCurve, gCurve, CurveVolt),
      FIELD(CapVoltageCurve, gCurve, CurveField),
      FIELD(CapVoltageCurve, gCurve, CapChange),
      FIELD(CapVoltageCurve, gCurve, CapDisplay),
      FIELD(CapVoltageCurve, gCurve, CurveCutIndex),
      FIELD(CapVoltageCurve, gCurve, CurveLastPoint),

      FIELD(CapLimitTables, gCapLimits, CapSearchAllRows),
  };
  return table;
}

#undef FIELD

}  // namespace

std::optional<std::string> stateField(const std::string& name) {
  auto it = fields().find(name);
  if (it == fields().end()) return std::nullopt;
  return it->second();
}

}  // namespace script
