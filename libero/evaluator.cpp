#include "libero/evaluator.h"

namespace zifrel::libero {

DigitValues InitialDigitValues() {
  DigitValues digits{};
  for (int d = 0; d <= 9; ++d) digits[kFirstConstantWord + d] = d;
  return digits;
}

namespace arith {

std::int64_t IntPower(int e, std::int64_t x) {
  // Square and multiply. Every product wraps, so the result is x^e modulo
  // 2^64 whichever way the products are grouped.
  std::int64_t result = 1;
  while (e > 0) {
    if (e & 1) result = Mul(result, x);
    e >>= 1;
    if (e > 0) x = Mul(x, x);
  }
  return result;
}

bool Apply(std::int32_t op, std::int64_t a, std::int64_t b, std::int64_t& r) {
  switch (op) {
    case kPlus:
      r = Add(a, b);
      return true;
    case kMinus:
      r = Sub(a, b);
      return true;
    case kTimes:
      r = Mul(a, b);
      return true;
    case kDivide:
      return ExactDivide(a, b, r);
    case kPower:
      return Power(a, b, r);
    case kQuotient:
      return Quotient(a, b, r);
    default:
      return false;
  }
}

bool Compare(std::int32_t op, std::int64_t a, std::int64_t b) {
  switch (op) {
    case kEqual:
      return a == b;
    case kLess:
      return a < b;
    case kGreater:
      return a > b;
    case kGreaterEqual:
      return a >= b;
    case kLessEqual:
      return a <= b;
    default:
      return a != b;
  }
}

}  // namespace arith

namespace {

std::int64_t Reduce(std::int64_t value, std::int64_t modulus) {
  const std::int64_t r = value % modulus;
  return r < 0 ? r + modulus : r;
}

// The last digits of a power need only the last digits of its base; the
// exponent is exact.
std::int64_t PowerModulo(std::int64_t base, int e, std::int64_t modulus) {
  std::int64_t result = 1 % modulus;
  base = Reduce(base, modulus);
  while (e > 0) {
    if (e & 1) result = result * base % modulus;
    e >>= 1;
    if (e > 0) base = base * base % modulus;
  }
  return result;
}

// One operator of a last-digits reading; its operands outside exponents are
// already reduced, so no value ever leaves 0..modulus-1 and nothing wraps.
bool ApplyReading(std::int32_t op, std::int64_t a, std::int64_t b, std::int64_t modulus, std::int64_t& r) {
  switch (op) {
    case kPlus:
      r = Reduce(arith::Add(a, b), modulus);
      return true;
    case kMinus:
      r = Reduce(arith::Sub(a, b), modulus);
      return true;
    case kTimes:
      r = Reduce(arith::Mul(Reduce(a, modulus), Reduce(b, modulus)), modulus);
      return true;
    case kPower:
      if (b < 0 || b > kMaxExponent) return false;
      r = PowerModulo(a, static_cast<int>(b), modulus);
      return true;
    default:
      return arith::Apply(op, a, b, r);  // ":" and "%" have no reading
  }
}

}  // namespace

bool EvaluateReading(const std::int32_t* words, int length, std::int64_t modulus, const DigitValues& digits) {
  std::int64_t stack[kStackCapacity];
  int top = -1;
  for (int i = 0; i < length; ++i) {
    const std::int32_t w = words[i];
    if (w == kStartWord) {
      if (top == kStackCapacity - 1) return false;
      stack[++top] = 0;
      continue;
    }
    if (w > 0 && w < kFirstOperatorWord) {
      if (top < 0) return false;
      stack[top] = arith::Add(arith::Mul(stack[top], 10), digits[w]);
      continue;
    }
    std::int32_t op;
    bool exact = modulus == 0;
    if (w >= kFirstOperatorWord && w <= kFirstOperatorWord + kDifferent) {
      op = w - kFirstOperatorWord;
    } else if (w >= kFirstExactOperatorWord && w <= kFirstExactOperatorWord + kDifferent) {
      op = w - kFirstExactOperatorWord;
      exact = true;
    } else {
      continue;
    }
    if (top < 1) return false;
    const std::int64_t b = stack[top--];
    const std::int64_t a = stack[top];
    if (op >= kEqual) {
      if (!exact && op == kEqual) return Reduce(a, modulus) == Reduce(b, modulus);
      return arith::Compare(op, a, b);
    }
    if (!(exact ? arith::Apply(op, a, b, stack[top]) : ApplyReading(op, a, b, modulus, stack[top]))) return false;
  }
  return false;
}

bool EvaluateCode(const RelationCode& code, bool units, const DigitValues& digits) {
  return EvaluateReading(code.words.data(), code.length, units ? 10 : 0, digits);
}

}  // namespace zifrel::libero
