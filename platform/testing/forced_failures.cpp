// The test seam's forced failures, which the service areas consult.
#include <bitset>

#include "platform/testing/testing.h"

namespace platform::testing {
namespace {
std::bitset<8> forcedFailures;
}

void forceFailure(Failure failure, bool forced) {
  forcedFailures.set(static_cast<size_t>(failure), forced);
}

bool isFailureForced(Failure failure) { return forcedFailures.test(static_cast<size_t>(failure)); }

}  // namespace platform::testing
