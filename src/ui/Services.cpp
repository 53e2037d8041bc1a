#include "ui/Services.h"

#include <cmath>

#include "ui/Control.h"
#include "ui/Headless.h"
#include "ui/TextChars.h"

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

bool Services::textExtent(const Control& control, const std::string& text, int& width,
                          int& height) {
  const double points = control.fontSize() > 0 ? control.fontSize() : 8.25;
  width = static_cast<int>(CharCount(text)) * static_cast<int>(std::lround(points * 0.6));
  height = static_cast<int>(std::lround(points * 1.6));
  return true;
}

Services& services() { return *current(); }

void setServices(Services* services) { current() = services ? services : &fallback(); }

std::string addDefaultExtension(const std::string& name, const std::string& extension) {
  const std::size_t slash = name.find_last_of('/');
  const std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
  if (extension.empty() || last.empty() || last.find('.') != std::string::npos) return name;
  return name + "." + extension;
}

namespace {
unsigned gModalsOpened = 0;
}  // namespace

unsigned modalsOpened() { return gModalsOpened; }
void noteModalOpened() { ++gModalsOpened; }

MsgResult msgBox(const std::string& text, MsgButtons buttons, const std::string& title,
                 MsgIcon icon) {
  noteModalOpened();
  return services().messageBox({text, title, buttons, icon});
}

void endProgram() {
  services().programEnding();
  throw ProgramEnd{};
}

}  // namespace ui
