#include "generate/divisor_table.h"

namespace zifrel {

void DivisorTable::Build(SubtractiveRng& rng) {
  divisors_.clear();
  divisors_.reserve(kTotal);
  std::array<std::uint16_t, 64> scratch;  // 62 divisors at most, for 7560 and 9240
  for (int n = 0; n < kSize; ++n) {
    start_[n] = static_cast<std::int32_t>(divisors_.size());
    int count = 0;
    for (int d = 2; d * d <= n; ++d) {
      if (n % d != 0) continue;
      scratch[count++] = static_cast<std::uint16_t>(d);
      if (n / d != d) scratch[count++] = static_cast<std::uint16_t>(n / d);
    }
    // A shuffle from the back, exactly one draw per divisor, the last one
    // Below(1): the number of draws is part of the reproducible sequence.
    divisors_.resize(divisors_.size() + count);
    std::uint16_t* list = divisors_.data() + start_[n];
    for (int i = count - 1; i >= 0; --i) {
      const std::uint32_t r = rng.Below(static_cast<std::uint32_t>(i + 1));
      list[i] = scratch[r];
      scratch[r] = scratch[i];
    }
  }
  start_[kSize] = static_cast<std::int32_t>(divisors_.size());
}

}  // namespace zifrel
