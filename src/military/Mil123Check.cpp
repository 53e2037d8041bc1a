#include "military/Mil123Check.h"

#include "catalogue/NumberHelpers.h"
#include "catalogue/NumberText.h"
#include "engine/CatalogueAuthoring.h"
#include "military/Mil123Part.h"

namespace quenta::authoring {

namespace {

// The voltage index both voltage letters design with.
constexpr int kMil123Voltage = 8;

// The sheet and characteristic whose rows are kept as they stand even
// where a code of theirs asks the thickness question or shows the notice.
bool KeptAsTheyStand(const std::string& slash, const std::string& characteristic) {
  return slash == "A10" && characteristic == "BP";
}

}  // namespace

Mil123CodeCheck CheckMil123Codes() {
  Mil123CodeCheck check;
  for (const Mil123Slash& slash : Mil123Slashes()) {
    for (const char* characteristic : {"BP", "BX"}) {
      const int dielectric = std::string(characteristic) == "BP" ? 1 : 2;
      const Combination combination{slash.series, slash.caseIndex, dielectric, kMil123Voltage};
      std::string faults;
      for (const std::string& code : Mil123Codes(slash.slash, characteristic)) {
        // The capacitance as the calculation reads it from the code's text.
        std::string text = Mil123CapacitanceText(code);
        const std::string shown = text;
        const double uf = LeadingNumber(CapTextToMicrofarads(text));
        ++check.codes;
        const std::string fault = TryMil123Design(combination, uf).Fault();
        if (fault.empty()) continue;
        faults += faults.empty() ? ": " : ", ";
        faults += code + " (" + shown + ") " + fault;
      }
      if (faults.empty()) continue;
      const std::string line = std::string(slash.slash) + " " + characteristic + faults;
      (KeptAsTheyStand(slash.slash, characteristic) ? check.known : check.problems)
          .push_back(line);
    }
  }
  return check;
}

}  // namespace quenta::authoring
