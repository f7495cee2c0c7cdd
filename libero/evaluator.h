#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "libero/exact_arithmetic.h"
#include "libero/relation_code.h"

namespace zifrel::libero {

// What the code words 1..31 append: entries 1..10 hold the digits of the
// variables, entries 16..25 the constant digits 0..9, all others 0.
using DigitValues = std::array<std::int32_t, 32>;
DigitValues InitialDigitValues();

// Room for values wider than 128 bits, made once by a caller that evaluates
// many times, so that no evaluation allocates.
class WideValues;
struct WideValuesDeleter {
  void operator()(WideValues* values) const;
};
using WideScratch = std::unique_ptr<WideValues, WideValuesDeleter>;
WideScratch MakeWideScratch();

// True when the full code holds for `digits`, every value exact: computed in
// 64 bits, and where a value does not fit, again in 128 bits, and then in as
// many as the cap allows.
bool EvaluateExact(const std::int32_t* words, int length, const DigitValues& digits, WideValues& wide);

// A reading of the last digits: the residues modulo `modulus` (10^k, at
// most 10^9) of the exact values, an exponent computed exactly. It is a
// necessary condition of the relation: false only where the relation is
// false. Where an exponent is too wide to tell, it holds.
bool EvaluateReading(const std::int32_t* words, int length, std::int64_t modulus, const DigitValues& digits);

// The full code (`units` false), or its units reading (modulo 10). An empty
// code, or one that ends without a relation operator, is false.
bool EvaluateCode(const RelationCode& code, bool units, const DigitValues& digits);

}  // namespace zifrel::libero
