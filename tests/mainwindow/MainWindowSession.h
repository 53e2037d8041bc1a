// A headless session of the program for the main window's tests: its own
// services, a fresh main window, and the program started on a catalogue
// folder.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "mainwindow/MainForm.h"
#include "mainwindow/Program.h"
#include "ui/Headless.h"

namespace quenta::test {

inline std::string fixtureFolder(const std::string& name) {
  return std::string(QUENTA_TEST_FIXTURES) + "/mainwindow/" + name;
}

inline std::vector<std::string> entries(const ui::ListControl& list) {
  std::vector<std::string> out;
  for (const ui::ListItem& item : list.items()) out.push_back(item.text);
  return out;
}

class MainWindowSession : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_.emplace(services);
    ResetForms();
    services.onMessageBox = [this](const ui::MessageBoxRequest& request) {
      messages.push_back(request);
      return ui::MsgResult::Ok;
    };
  }
  void TearDown() override {
    ResetForms();
    scope_.reset();
  }

  // Starts the program as its entry does; false when it ended instead.
  bool start(const std::string& folder = fixtureFolder("catalogue")) {
    SetProgramFolder(folder);
    try {
      Main();
    } catch (const ui::ProgramEnd&) {
      ended = true;
    }
    return !ended;
  }

  // The user picks an entry of a drop-down list.
  void pick(ui::DropDownList& list, const std::string& text) {
    ASSERT_GE(list.findExact(text), 0) << list.id() << " has no entry " << text;
    list.setText(text);
  }

  MainForm& f() { return F_QuentaMainForm(); }

  ui::HeadlessServices services;
  std::vector<ui::MessageBoxRequest> messages;
  bool ended = false;

 private:
  std::optional<ui::ScopedServices> scope_;
};

}  // namespace quenta::test
