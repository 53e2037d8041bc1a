#include "app/StartupCheck.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "military/Mil49470Entry.h"
#include "ui/TextChars.h"

namespace quenta::app {

bool StartupCheckRequested() {
  const char* value = std::getenv("QUENTA10_EXIT_AFTER_STARTUP");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

ui::MsgResult StartupCheckServices::messageBox(const ui::MessageBoxRequest& request) {
  ++messages_;
  std::fprintf(stderr, "%s: %s\n", request.title.c_str(), ui::WithLineFeeds(request.text).c_str());
  return request.buttons == ui::MsgButtons::YesNo ? ui::MsgResult::Yes : ui::MsgResult::Ok;
}

int FinishStartupCheck(const StartupCheckServices& services, const std::string& folder) {
  // The part lists are read only when a part is looked up: a damaged,
  // emptied or missing one is found here, not by the first user of it.
  quenta::CheckMil49470PartLists();
  if (services.messagesShown() > 0) return 1;
  // The folder as the failure messages show it: a byte that is not text
  // (an escape, a bell, a Latin-1 letter) as \xNN.
  std::printf("Quenta10 started: catalogue loaded from %s\n", ui::EscapeNonText(folder).c_str());
  return 0;
}

}  // namespace quenta::app
