// A headless session of the whole program, military entry installed, for
// the military entry's tests: every message box and dialog is recorded.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "mainwindow/MainWindowSession.h"
#include "military/EntryModes.h"

namespace quenta::test {

// The shipped program folder (the data folder, catalogue and part lists).
inline const std::filesystem::path kShippedData =
    std::filesystem::path(QUENTA_TEST_FIXTURES).parent_path().parent_path() / "data";

class MilitarySession : public MainWindowSession {
 protected:
  void SetUp() override {
    MainWindowSession::SetUp();
    InstallMilitaryEntry();
    services.onRunModal = [this](ui::Form& form) {
      dialogs.push_back(form.caption());
      form.hide();
    };
  }

  bool startOn(const std::filesystem::path& folder) { return start(folder.string()); }

  // The user picks an entry of an editable list of a military panel.
  void pickMil(ui::ComboBox& list, const std::string& text) {
    const int index = list.findExact(text);
    ASSERT_GE(index, 0) << list.id() << " has no entry " << text;
    list.setListIndex(index);
  }

  std::vector<std::string> dialogs;
};

}  // namespace quenta::test
