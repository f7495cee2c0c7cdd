#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace zifrel {

// The program's own random source: a lagged-subtraction generator over 55
// words modulo 1,000,000,000. Its draws are exactly reproducible from a seed,
// which is what makes a generated Schema reproducible: every caller must draw
// in the same order as before, or the same seed gives other Schemas.
class SubtractiveRng {
 public:
  static constexpr std::uint32_t kModulus = 1'000'000'000;

  // Seed 0 takes the seed from the clock; s and -s give the same sequence.
  void Seed(std::int32_t s);

  // A value 0..999,999,999.
  std::uint32_t Next();

  // A value 0..n-1, for n >= 1, from the draw's high digits: floor(Next() * n
  // / 10^9). The low digits of a lagged-subtraction draw follow short
  // recurrences of their own (the low bits depend only on the seed modulo 4),
  // so Next() mod n would give only a few operator layouts. Always one draw,
  // also for n = 1.
  std::uint32_t Below(std::uint32_t n) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(Next()) * n / kModulus);
  }

 private:
  std::array<std::int32_t, 55> table_{};
  int j_ = 0;   // the slot the next draw overwrites
  int k_ = 24;  // the slot subtracted from it, always j + 24 mod 55
};

// Fills entries 1..n with a random arrangement of 1..n; entry 0 is untouched.
// Every position draws from the whole range 1..n, so the arrangement is not
// quite uniform; the procedure is kept as it is because it fixes which
// arrangement a generator state yields. `array` holds at least n + 1 entries.
void RandomPermutation(SubtractiveRng& rng, std::span<std::uint32_t> array, int n);

}  // namespace zifrel
