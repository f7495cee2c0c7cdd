#pragma once

#include <array>
#include <cstdint>
#include <limits>

#include "libero/relation_code.h"

namespace zifrel::libero {

// What the code words 1..31 append: entries 1..10 hold the digits of the
// variables, entries 16..25 the constant digits 0..9, all others 0.
using DigitValues = std::array<std::int32_t, 32>;
DigitValues InitialDigitValues();

inline constexpr int kStackCapacity = 200;
inline constexpr int kMaxExponent = 20;

// Arithmetic on 64-bit values that wrap around, as every evaluation does it.
// Each operation that can fail returns false and leaves `r` alone: the
// relation is then false for that assignment.
namespace arith {

inline std::int64_t Add(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}
inline std::int64_t Sub(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}
inline std::int64_t Mul(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(b));
}

// Dividing the smallest value by -1 wraps to the smallest value, remainder 0,
// like every other overflow; the hardware would trap on it.
inline bool ExactDivide(std::int64_t a, std::int64_t b, std::int64_t& r) {
  if (b == 0) return false;
  if (b == -1) {
    r = Sub(0, a);
    return true;
  }
  if (a % b != 0) return false;
  r = a / b;
  return true;
}
inline bool Quotient(std::int64_t a, std::int64_t b, std::int64_t& r) {
  if (b == 0) return false;
  r = b == -1 ? Sub(0, a) : a / b;
  return true;
}

// x to the power e, for e in 0..20; 0^0 is 1.
std::int64_t IntPower(int e, std::int64_t x);

inline bool Power(std::int64_t a, std::int64_t b, std::int64_t& r) {
  if (b < 0 || b > kMaxExponent) return false;
  r = IntPower(static_cast<int>(b), a);
  return true;
}

// One binary operator (kPlus..kQuotient) in full.
bool Apply(std::int32_t op, std::int64_t a, std::int64_t b, std::int64_t& r);
bool Compare(std::int32_t op, std::int64_t a, std::int64_t b);

}  // namespace arith

using arith::IntPower;

// True when the relation holds for `digits`. A units code (`units`) keeps
// only the units digit of every value outside its exponents. An empty code,
// or one that ends without a relation operator, is false.
bool EvaluateCode(const RelationCode& code, bool units, const DigitValues& digits);

// The same for a reading that keeps the values modulo `modulus` (10^k, at
// most 10^9), or in full for modulus 0.
bool EvaluateReading(const std::int32_t* words, int length, std::int64_t modulus, const DigitValues& digits);

}  // namespace zifrel::libero
