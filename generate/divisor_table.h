#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "generate/subtractive_rng.h"

namespace zifrel {

// For every number 0..9999, its divisors other than 1 and itself, each list
// in a random order drawn once. The grid search takes the factor pairs of a
// product from here instead of dividing by trial.
class DivisorTable {
 public:
  static constexpr int kSize = 10000;
  static constexpr std::size_t kTotal = 73646;  // the length of all lists together

  // Fills the table for n = 0, 1, ..., 9999 in that order, one draw per
  // divisor; numbers without such divisors draw nothing.
  void Build(SubtractiveRng& rng);

  int Count(int n) const { return start_[n + 1] - start_[n]; }
  std::span<const std::uint16_t> List(int n) const {
    return {divisors_.data() + start_[n], static_cast<std::size_t>(Count(n))};
  }
  std::size_t Total() const { return divisors_.size(); }

 private:
  // All lists in one block; list n is [start_[n], start_[n + 1]). Every
  // divisor is below 5000, so 16 bits hold it.
  std::vector<std::uint16_t> divisors_;
  std::array<std::int32_t, kSize + 1> start_{};
};

}  // namespace zifrel
