#pragma once

#include <cstdint>

namespace zifrel {

// Milliseconds since the program started: the generator's clock for its seed
// and for the time limit of a search attempt.
std::int64_t MillisecondsSinceStart() noexcept;

// Seconds since 1970-01-01 00:00 UTC.
std::int64_t SecondsSinceEpoch() noexcept;

}  // namespace zifrel
