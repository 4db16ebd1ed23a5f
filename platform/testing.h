// The stand-in's test seam: forced failures, injected input, recorded
// requests. Tests only; the system's code never includes it.
#pragma once

#include "platform/win32.h"

namespace platform::testing {

}  // namespace platform::testing
