// Every test binary captures message boxes from its start, so that no test waits for a person to
// dismiss one.
#include <gtest/gtest.h>

#include "platform/testing/testing.h"

struct CaptureMessageBoxes : ::testing::Environment {
  void SetUp() override { platform::testing::captureMessageBoxes(true); }
};
static const auto* const registered = ::testing::AddGlobalTestEnvironment(new CaptureMessageBoxes);
