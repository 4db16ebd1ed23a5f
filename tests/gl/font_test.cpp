// The bitmap font: its size, and nothing drawn without it.
#include <gtest/gtest.h>

#include "platform/testing.h"
#include "render/font.h"
#include "tests/support/text_on_screen.h"

namespace {

using FontTest = TextOnScreenTest;

TEST_F(FontTest, CharacterHeightFollowsTheDisplayWidthOnly) {
  const int cases[][2] = {{800, -15}, {1024, -20}, {1366, -26}, {1920, -37}};
  for (const auto& [width, height] : cases) {
    g_display.Width = width;
    g_display.Height = 480;
    buildFont();
    EXPECT_EQ(platform::testing::lastFontRequest().height, height) << width;
    EXPECT_EQ(platform::testing::lastFontRequest().faceName, "Agency FB");
    EXPECT_EQ(platform::testing::liveGdiObjects(), 0u) << "the font is selected out and deleted";
  }
}

}  // namespace
