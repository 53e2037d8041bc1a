#include "engine/TempLimits.h"

#include <string>

#include "catalogue/DesignState.h"
#include "mainwindow/MainForm.h"

namespace quenta {

namespace {

void Colour(ui::Control& box, ui::Color back, ui::Color text) {
  box.setBackColor(back);
  box.setForeColor(text);
}

void Normal(ui::Control& box) { Colour(box, ui::colors::white, ui::colors::black); }
void TooHigh(ui::Control& box) { Colour(box, ui::colors::red, ui::colors::white); }
void TooLow(ui::Control& box) { Colour(box, ui::colors::blue, ui::colors::white); }

}  // namespace

void CheckTemperatureLimits() {
  MainForm& form = F_QuentaMainForm();
  const int tmin = gTemps.TempMin;

  if (gTemps.TempAmbient < tmin) {
    TooLow(form.T_TempAmbient);
  } else if (gTemps.TempAmbient > gTemps.TempMax) {
    TooHigh(form.T_TempAmbient);
  } else {
    Normal(form.T_TempAmbient);
  }

  if (gTemps.TempRise > gTemps.TempRiseMax) {
    TooHigh(form.T_TempRise);
  } else {
    Normal(form.T_TempRise);
  }

  // The ambient scroll bar stands at the ambient plus 75 (it starts at
  // -75 degrees), the rise bar at the rise itself.
  gTemps.InternalTemp = static_cast<int16_t>(form.HS_TempAmbient.value() +
                                             form.HS_TempRise.value() - 75);

  ui::TextBox& internal = form.T_TempSpecs[2];
  internal.setText(std::to_string(gTemps.InternalTemp));
  // Ambient plus rise is held against the limit of the sum, not TempMax.
  if (gTemps.InternalTemp > gTemps.TempTotalMax) {
    TooHigh(internal);
  } else if (gTemps.InternalTemp < tmin) {
    TooLow(internal);
  } else {
    Normal(internal);
  }
}

bool EsrLogLinearPair(int dielectricIndex, double temperature, double& a, double& b) {
  switch (dielectricIndex) {
    case 1:  // C0G
    case 4:  // N1500: a factor of 1.5 per 100 degrees of cooling
      a = 0.044022815;
      b = -0.001760912591;
      return true;
    case 2:  // X7R: steeper below room temperature
      if (temperature <= 25) {
        a = 0.175;
        b = -0.00699;
      } else {
        a = 0.0897;
        b = -0.0036;
      }
      return true;
    default:
      return false;
  }
}

void SetTempCoefficients() {
  const int dielectric = gSelection.DielectricIndex;
  if (dielectric == 3) {
    // Z5U: change in percent as a cubic of the temperature.
    gEsrTc.EsrPoly0 = 26.766;
    gEsrTc.EsrPoly1 = -1.47436;
    gEsrTc.EsrPoly2 = 0.0168755;
    gEsrTc.EsrPoly3 = -3.06548e-05;
    return;
  }
  EsrLogLinearPair(dielectric, gTemps.InternalTemp, gEsrTc.EsrTcA, gEsrTc.EsrTcB);
}

}  // namespace quenta
