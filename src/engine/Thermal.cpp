#include "engine/Thermal.h"

#include <limits>

#include "catalogue/DesignState.h"

namespace quenta {

namespace {

constexpr double kCmPerInch = 2.54;
constexpr double kJoulesPerCalorie = 4.186;
constexpr double kElectrodeThick = 0.0001778;  // inches
constexpr double kAlongElectrode = 0.167;      // constant of R1 and R3
constexpr double kCeramic = 0.00669;           // constant of R2 and R4
constexpr double kStepA = 0.9165, kStepB = 0.9393, kStepC = 0.0934;
constexpr double kFinalStep = 0.254;  // centimetres

}  // namespace

void CalcThermalResistance() {
  const double s = gChip.LengthWidthScale;
  const double t = gChip.ThicknessScale;
  const double h = gChip.ActiveLayerThick;
  const double E = gChip.Effectives;
  const int chips = gChip.Chips;
  const float band = gCaseGeometry.TermBand;
  const double b = band;
  const double length = gCaseGeometry.CaseLength;
  const double width = gCaseGeometry.CaseWidth;

  if (chips < 1 || !(E >= 1)) {
    gResults.ThermalRes = std::numeric_limits<double>::quiet_NaN();
    return;
  }

  // Geometry in centimetres. The band is taken twice in single precision
  // across the width.
  const float twoBands = 2.0f * band;
  const double Lb = (length - b) * s * kCmPerInch;
  const double Bb = b * s * kCmPerInch;
  const double We = (width - static_cast<double>(twoBands)) * s * kCmPerInch;
  const double Wf = width * s * kCmPerInch;
  const double Ae = We * kElectrodeThick * kCmPerInch;
  const double H = h * t * (E + 4) * kCmPerInch;
  const double Ac = Wf * h * t * (E + 4) * kCmPerInch;

  // Inside one chip: R1, R2 and the series pair R3 + R4 in parallel.
  const double R1 = (Lb + Bb) / kJoulesPerCalorie / kAlongElectrode / Ae / E;
  const double R2 = 0.5 * (Lb + Bb) / kJoulesPerCalorie / kCeramic / Ac;
  const double R3 = (Lb - Bb) / kJoulesPerCalorie * kAlongElectrode / Ae / E;
  const double R4 = 2 * Bb / kJoulesPerCalorie / kCeramic / Ae / E;
  const double Rchip = 1 / (1 / R1 + 1 / R2 + 1 / (R3 + R4));

  // One step between chips: three parallel paths through the stack height.
  const double A1 = width * s * 0.01;
  const double A2 = width * s * 0.0025;
  const double A3 = width * s * 0.005;
  const double Ra = H / kJoulesPerCalorie / A1 / kStepA;
  const double Rb = H / kJoulesPerCalorie / A2 / kStepB;
  const double Rc = H / kJoulesPerCalorie / A3 / kStepC;
  const double Rstep = 1 / (1 / Ra + 1 / Rb + 1 / Rc);

  // The chip k steps into the stack conducts through 2k steps and itself;
  // all chips are in parallel.
  double steps = 0;
  double conductance = 0;
  for (int k = 1; k <= chips; ++k) {
    steps += Rstep;
    conductance += 1 / (2 * steps + Rchip);
  }

  gResults.ThermalRes = 1 / conductance + kFinalStep / kJoulesPerCalorie / A1 / kStepA;
}

}  // namespace quenta
