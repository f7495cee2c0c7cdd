#include "generate/subtractive_rng.h"

#include <utility>

#include "core/program_clock.h"

namespace zifrel {
namespace {

constexpr std::int32_t kModulus = static_cast<std::int32_t>(SubtractiveRng::kModulus);

}  // namespace

void SubtractiveRng::Seed(std::int32_t s) {
  if (s == 0) s = static_cast<std::int32_t>(ClockSeed());
  // Through 64 bits, so that the absolute value of -2147483648 exists.
  const std::int64_t magnitude = s < 0 ? -static_cast<std::int64_t>(s) : s;
  std::int32_t mj = static_cast<std::int32_t>(magnitude % kModulus);
  std::int32_t mk = 1;
  table_[0] = mj;
  for (int i = 1; i <= 54; ++i) {
    const int ii = (21 * i) % 55;
    table_[ii] = mk;
    mk = mj - mk;
    if (mk < 0) mk += kModulus;
    mj = table_[ii];
  }
  j_ = 0;
  k_ = 24;
  for (int i = 0; i < 165; ++i) Next();  // warms the table up
}

std::uint32_t SubtractiveRng::Next() {
  j_ = j_ == 0 ? 54 : j_ - 1;
  k_ = k_ == 0 ? 54 : k_ - 1;
  std::int32_t v = table_[j_] - table_[k_];
  if (v < 0) v += kModulus;
  table_[j_] = v;
  return static_cast<std::uint32_t>(v);
}

void RandomPermutation(SubtractiveRng& rng, std::span<std::uint32_t> array, int n) {
  for (int i = 1; i <= n; ++i) array[i] = static_cast<std::uint32_t>(i);
  for (int i = 1; i <= n; ++i) {
    const std::uint32_t r = rng.Below(static_cast<std::uint32_t>(n)) + 1;
    std::swap(array[i], array[r]);
  }
}

}  // namespace zifrel
