#pragma once

#include <cstdint>

namespace zifrel {

// Milliseconds since the program started: the generator's clock for its seed
// and for the time limit of a search attempt.
std::int64_t MillisecondsSinceStart() noexcept;

// A seed taken from the clock when none is given: the seconds since 1970 and
// the milliseconds since the program started, added as 32-bit words, so two
// runs in one second still differ.
std::uint32_t ClockSeed() noexcept;

// Seconds since 1970-01-01 00:00 UTC.
std::int64_t SecondsSinceEpoch() noexcept;

}  // namespace zifrel
