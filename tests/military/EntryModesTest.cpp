// The entry-mode switch where the session scripts cannot reach: a saved
// maker selection that the refilled lists no longer offer.
#include <gtest/gtest.h>

#include "MilitarySession.h"
#include "catalogue/DesignState.h"
#include "mainwindow/UiState.h"

namespace quenta::test {
namespace {

class EntryModeSwitch : public MilitarySession {};

TEST_F(EntryModeSwitch, ASavedTextTheListDoesNotOfferLeavesThatListAsItIs) {
  ASSERT_TRUE(startOn(kShippedData));
  MainForm& w = f();
  pick(w.CB_Type, "GZ");
  w.OB_MIL123.setValue(true);
  // GZ offers no N1500, and no tolerance of that name.
  gUiState.SavedDielText = "N1500";
  gUiState.SavedTolText = "+/-1%";
  gUiState.SavedCaseText = "99";
  w.OB_Part_Num.setValue(true);
  EXPECT_EQ(w.CB_Type.text(), "GZ");
  EXPECT_EQ(w.CB_Dielectric.text(), w.CB_Dielectric.list(0));
  EXPECT_EQ(gSelection.DielectricIndex, w.CB_Dielectric.itemData(0));
  EXPECT_EQ(w.CB_Tolerance.text(), "+/-10%");
  EXPECT_GE(w.CB_Case.listIndex(), 0);
  EXPECT_EQ(gUiState.Mil123Mode, 0);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace quenta::test
