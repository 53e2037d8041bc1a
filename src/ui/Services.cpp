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

std::string addDefaultExtension(const std::string& name, const std::string& extension) {
  const std::size_t slash = name.find_last_of('/');
  const std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
  if (extension.empty() || last.empty() || last.find('.') != std::string::npos) return name;
  return name + "." + extension;
}

MsgResult msgBox(const std::string& text, MsgButtons buttons, const std::string& title,
                 MsgIcon icon) {
  return services().messageBox({text, title, buttons, icon});
}

void endProgram() {
  services().programEnding();
  throw ProgramEnd{};
}

}  // namespace ui
