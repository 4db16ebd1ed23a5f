// The bitmap font's size follows the display width only.
#include <gtest/gtest.h>

#include "app/display_settings.h"
#include "platform/testing.h"
#include "render/font.h"
#include "tests/support/gl_context.h"

TEST_F(GlContextTest, FontHeightFollowsTheDisplayWidthOnly) {
  for (const auto& [width, height] : {std::pair{800, -15}, {1024, -20}, {1366, -26}, {1920, -37}}) {
    g_display = {width, 480, 32, 60};
    buildFont();
    EXPECT_EQ(platform::testing::lastFontRequest().height, height) << width;
    EXPECT_EQ(platform::testing::lastFontRequest().faceName, "Agency FB");
    EXPECT_EQ(platform::testing::liveGdiObjects(), 0u) << "the font is selected out and deleted";
  }
}
