#include "core/program_clock.h"

#include <chrono>

namespace zifrel {
namespace {

// Read during static initialisation, so it stands for the program's start.
const std::chrono::steady_clock::time_point kProgramStart = std::chrono::steady_clock::now();

}  // namespace

std::int64_t MillisecondsSinceStart() noexcept {
  const auto elapsed = std::chrono::steady_clock::now() - kProgramStart;
  return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

std::uint32_t ClockSeed() noexcept {
  return static_cast<std::uint32_t>(SecondsSinceEpoch()) + static_cast<std::uint32_t>(MillisecondsSinceStart());
}

std::int64_t SecondsSinceEpoch() noexcept {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::seconds>(now).count();
}

}  // namespace zifrel
