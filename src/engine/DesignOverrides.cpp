#include "engine/DesignOverrides.h"

#include <string>

#include "catalogue/DesignState.h"

namespace quenta {

namespace special_designs {

namespace {

float BoundUf(double picofarads) { return static_cast<float>(picofarads / 1000000.0); }

// The construction values a rule names; zero leaves a value alone.
struct Formulation {
  int k = 0;
  double t = 0;
  int m = 0;
  int c = 0;
  double a = 0;
};

void Set(const Formulation& f) {
  if (f.k != 0) gChip.DielectricK = f.k;
  if (f.t != 0) {
    gChip.DielThickness = f.t;
    gChip.DielThicknessIsSingle = false;
  }
  if (f.m != 0) gChip.Mult = f.m;
  if (f.c != 0) gChip.Cascades = f.c;
  if (f.a != 0) gCaseGeometry.EffArea = f.a;
}

void Apply(const Row& row) {
  Set({row.k, row.t, row.m, row.c, row.a});
  if (row.minEffectives != 0) gChip.MinEffectives = static_cast<int16_t>(row.minEffectives);
  if (row.flags & kF1) gChip.DesignFlag1 = 1;
  if (row.flags & kF2) gChip.DesignFlag2 = 1;
}

void ApplyChipRows(int series, int dielectric, int voltage, float capacitanceUf, bool mil123) {
  for (const Group& group : ChipGroups()) {
    if (group.series != series || group.dielectric != dielectric) continue;
    bool hasVoltage = false;
    for (std::int8_t v : group.voltages) hasVoltage = hasVoltage || (v != 0 && v == voltage);
    if (!hasVoltage) continue;
    for (const Row& row : group.rows) {
      if (AppliesIn(row.mode, mil123) && CapacitanceMatches(row, capacitanceUf)) {
        Apply(row);
        return;
      }
    }
    return;
  }
}

// The listed capacitance text, while the pick-list is the capacitance in use.
bool ListedCapacitanceIs(const char* text) {
  return !gSelection.ManualCapEntry && gSelection.ListedCapText == text;
}

// X7R of series 1 at 50 V with the Commercial box ticked (and series 2
// after its own formulation).
void CommercialRows(int caseIndex, int voltage) {
  if (voltage != 2 || !gSelection.CommercialTicked) return;
  switch (caseIndex) {
    case 3: case 53: case 93:
      Set({941, 1.6});
      gChip.DesignFlag1 = 1;
      break;
    case 4: case 54: case 94: case 5: case 55: case 95:
      Set({941, 1.4});
      gChip.DesignFlag1 = 1;
      break;
    default:
      break;
  }
}

// The thickness of a voltage index 1 to 3 (25, 50, 100 V), 0 for others.
double ByVoltage(int voltage, double at25, double at50, double at100) {
  return voltage == 1 ? at25 : voltage == 2 ? at50 : voltage == 3 ? at100 : 0;
}

// The X7R rules of the series outside the chip sizes.
void X7rSeriesRows(int series, int caseIndex, int voltage, float cap) {
  auto within = [cap](double fromUf, double toUf) {
    return cap >= BoundUf(fromUf * 1e6) && cap <= BoundUf(toUf * 1e6);
  };
  switch (series) {
    case 1:
      CommercialRows(caseIndex, voltage);
      break;
    case 2:
      Set({448});
      gChip.DesignFlag2 = 1;
      CommercialRows(caseIndex, voltage);
      break;
    case 6: {
      gChip.DesignFlag4 = 1;
      double t = 0;
      if (caseIndex == 21) {
        if (voltage == 1) t = within(2.2, 4.7) ? 0.7 : within(5.6, 10) ? 0.6 : 0.4;
        else if (voltage == 2) t = within(2.2, 4.7) ? 0.7 : 0.6;
        else if (voltage == 3) t = 0.7;
      } else if (caseIndex == 22) {
        t = ByVoltage(voltage, 0.4, 0.6, 0.7);
      }
      if (t != 0) Set({598, t, 1});
      break;
    }
    case 7: {
      Set({448});
      const double t = ByVoltage(voltage, 1.4, 1.8, 2.0);
      if (t != 0) {
        Set({941, t});
        gChip.DesignFlag1 = 1;
      }
      break;
    }
    case 8:
    case 12:
    case 13:
      Set({448});
      gChip.DesignFlag2 = 1;
      break;
    case 9:
    case 10:
    case 11:
      Set({941});
      gChip.DesignFlag1 = 1;
      break;
    case 24: {
      gChip.DesignFlag4 = 1;
      const double t = ByVoltage(voltage, 0.4, 0.6, 0.7);
      if (t != 0) Set({598, t, 1});
      break;
    }
    case 23:
    case 25:
      if (caseIndex == 109) {
        gChip.DesignFlag4 = 1;
        const double t = ByVoltage(voltage, 0.4, 0.6, 0.9);
        if (t != 0) Set({598, t, 1, 1, 0.052});
      } else if (caseIndex == 110 || caseIndex == 112) {
        gChip.DesignFlag4 = 1;
        if (voltage == 1) {
          Set({680, 0.15, 1, 1, 0.01});
          if (ListedCapacitanceIs("82 \u00B5F")) {
            gChip.DesignFlag4 = 0;
            gChip.DesignFlag5 = 1;
          }
        } else if (voltage == 2) {
          if (ListedCapacitanceIs("39 \u00B5F")) {
            Set({800, 0.25, 1, 1, 0.01});
            gChip.DesignFlag4 = 0;
            gChip.DesignFlag5 = 1;
          } else {
            Set({598, 0.5, 1, 1, 0.01});
          }
        } else if (voltage == 3) {
          Set({598, 0.7, 1, 1, 0.018});
        }
      }
      break;
    default:
      // Series 3, 4 and 5 keep the standard formulation.
      break;
  }
}

}  // namespace

bool CapacitanceMatches(const Row& row, float capacitanceUf) {
  switch (row.test) {
    case CapTest::Any: return true;
    case CapTest::Below: return capacitanceUf < BoundUf(row.fromPf);
    case CapTest::Range:
      return capacitanceUf >= BoundUf(row.fromPf) && capacitanceUf <= BoundUf(row.toPf);
    case CapTest::Above: return capacitanceUf > BoundUf(row.fromPf);
    case CapTest::From: return capacitanceUf >= BoundUf(row.fromPf);
    case CapTest::Exactly: return capacitanceUf == BoundUf(row.fromPf);
  }
  return false;
}

}  // namespace special_designs

void ApplySpecialDesignTable(float workingCapacitanceUf) {
  using namespace special_designs;
  const int series = gSelection.SeriesIndex;
  const int caseIndex = gSelection.CaseIndex;
  const int voltage = gSelection.VoltageIndex;
  const bool chipSize = ChipSizeSeries(series);

  switch (gSelection.DielectricIndex) {
    case 3:
      gChip.DesignFlag3 = 1;
      break;
    case 1:
      if (chipSize) ApplyChipRows(series, 1, voltage, workingCapacitanceUf, gSelection.Mil123Entry);
      break;
    case 2:
      gChip.DielectricK = 475;
      if (chipSize) {
        ApplyChipRows(series, 2, voltage, workingCapacitanceUf, gSelection.Mil123Entry);
      } else {
        X7rSeriesRows(series, caseIndex, voltage, workingCapacitanceUf);
      }
      break;
    default:
      break;
  }
}

}  // namespace quenta
