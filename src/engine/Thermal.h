// Thermal resistance of the part from its geometry and construction.
#pragma once

namespace quenta {

// Sets ThermalRes (degrees C per W) from the case geometry and the chip
// construction: the conduction paths inside one chip, the steps between
// the chips of a stack, and the final step out of the stack. A
// construction without chips or active layers has no thermal resistance:
// ThermalRes is then NaN, which the results show as blank.
void CalcThermalResistance();

}  // namespace quenta
