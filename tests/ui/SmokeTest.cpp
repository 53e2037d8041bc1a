#include <gtest/gtest.h>

#include "ui/Form.h"

TEST(UiSmoke, FormFindsControlsByArrayId) {
  ui::Form form("F");
  ui::ControlArray<ui::TextBox> boxes(form, "T_Specs");
  boxes.add(1).setText("x");
  ASSERT_NE(form.find("T_Specs(1)"), nullptr);
  EXPECT_EQ(form.find("T_Specs(1)")->displayText(), "x");
}
