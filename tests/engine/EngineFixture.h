// Shared set-up of the chip-construction tests: headless services that
// record every message box and answer from a script, fresh windows, empty
// design-rule tables and a selection.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/DesignState.h"
#include "engine/CatalogueAuthoring.h"
#include "engine/ChipDesign.h"
#include "mainwindow/MainForm.h"
#include "ui/Headless.h"

namespace quenta::test {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_.emplace(services);
    ResetForms();
    services.onMessageBox = [this](const ui::MessageBoxRequest& request) {
      messages.push_back(request);
      if (answers.empty()) return ui::MsgResult::Ok;
      const ui::MsgResult answer = answers.front();
      answers.pop_front();
      return answer;
    };
    gDesignRules.DesignRule1.Fill(-1);
    gDesignRules.DesignRule2.Fill(-1);
    gDesignRules.DesignRule3.Fill(-1);
    gDesignRules.DesignRule4.Fill(-1);
    gChip = ChipDesign{};
    gSelection.Mil123Entry = false;
    gSelection.CommercialTicked = false;
    gSelection.ManualCapEntry = false;
    gSelection.ListedCapText.clear();
    gCaseGeometry = CaseGeometry{};
    gResults.LeadFlag = 0;
    SetCapTooSmallHandler(nullptr);
  }

  void TearDown() override {
    SetCapTooSmallHandler(nullptr);
    ResetForms();
    scope_.reset();
  }

  // Selects a part as the cascade would: indices, capacitance (µF) and
  // the dielectric's constants.
  void select(int series, int caseIndex, int dielectric, int voltage, double capacitanceUf = 1,
              int commercial = 0) {
    gSelection.SeriesIndex = static_cast<int16_t>(series);
    gSelection.CaseIndex = static_cast<int16_t>(caseIndex);
    gSelection.DielectricIndex = static_cast<int16_t>(dielectric);
    gSelection.VoltageIndex = static_cast<int16_t>(voltage);
    gSelection.CommercialFlag = static_cast<int16_t>(commercial);
    gSelection.Capacitance = capacitanceUf / 1000000.0;
    authoring::SetDielectricConstants(dielectric);
  }

  // A design-rule file row for (commercial, dielectric, voltage).
  void rule(int commercial, int dielectric, int voltage, float t, float m, float covers,
            float cascades) {
    gDesignRules.DesignRule1(commercial, dielectric, voltage) = t;
    gDesignRules.DesignRule2(commercial, dielectric, voltage) = m;
    gDesignRules.DesignRule3(commercial, dielectric, voltage) = covers;
    gDesignRules.DesignRule4(commercial, dielectric, voltage) = cascades;
  }

  // The entry as the chip design reads it: the pick-list shows this
  // capacitance text, the entry mode, the Commercial and Manual Cap boxes.
  void listCapacitance(const std::string& text) { gSelection.ListedCapText = text; }
  void setMil123(bool on) { gSelection.Mil123Entry = on; }
  void setCommercialBox(bool ticked) { gSelection.CommercialTicked = ticked; }
  void setManualCap(bool ticked) { gSelection.ManualCapEntry = ticked; }

  // The message boxes with this title.
  std::vector<ui::MessageBoxRequest> titled(const std::string& title) const {
    std::vector<ui::MessageBoxRequest> out;
    for (const auto& m : messages)
      if (m.title == title) out.push_back(m);
    return out;
  }

  ui::HeadlessServices services;
  std::vector<ui::MessageBoxRequest> messages;
  std::deque<ui::MsgResult> answers;

 private:
  std::optional<ui::ScopedServices> scope_;
};

}  // namespace quenta::test
