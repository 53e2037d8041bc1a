// The start-up scan of the maximum-capacitance file: every offered entry
// is passed through the built-in design rules and the case geometry, so
// that a catalogue entry without geometry stops the program before the
// main window is shown.
#pragma once

#include <filesystem>
#include <optional>

#include "catalogue/CatalogueFiles.h"

namespace quenta {

// Walks the maximum-capacitance file of the folder, found as the loader
// finds it (exact name first, so it is the file the loader read),
// record by record. For every capacitance other than -1 it sets the
// selection to the record's series, case and dielectric and the column's
// voltage, takes the thickness, multiplier and cascades from the
// design-rule tables, and runs SetDesignRules and SetModelCoefficients;
// the latter ends the program ("Unrecoverable Error") for an entry without
// geometry. Runs after the catalogue loader. A file that cannot be read as
// a capacitance-limit file is returned as a fault, the entries before the
// fault having been checked.
std::optional<CatalogueError> ScanMaxCapEntries(const std::filesystem::path& folder);

}  // namespace quenta
