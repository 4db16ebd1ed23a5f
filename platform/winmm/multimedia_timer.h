// Inside the stand-in: the millisecond count that a test can inject.
#pragma once

#include <cstdint>
#include <optional>

namespace platform {

// While there is one, timeGetTime reports it instead of the time.
extern std::optional<uint32_t> injectedMilliseconds;

}  // namespace platform
