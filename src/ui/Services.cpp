#include "ui/Services.h"

#include "ui/Headless.h"

namespace ui {

namespace {
// Until the program or a test installs its own, headless services answer.
HeadlessServices& fallback() {
  static HeadlessServices services;
  return services;
}
Services*& current() {
  static Services* installed = &fallback();
  return installed;
}
}  // namespace

Services& services() { return *current(); }

void setServices(Services* services) { current() = services ? services : &fallback(); }

MsgResult msgBox(const std::string& text, MsgButtons buttons, const std::string& title,
                 MsgIcon icon) {
  return services().messageBox({text, title, buttons, icon});
}

void endProgram() {
  services().programEnding();
  throw ProgramEnd{};
}

}  // namespace ui
