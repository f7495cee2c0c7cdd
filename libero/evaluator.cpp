#include "libero/evaluator.h"

#include <boost/multiprecision/cpp_int.hpp>

namespace zifrel::libero {

DigitValues InitialDigitValues() {
  DigitValues digits{};
  for (int d = 0; d <= 9; ++d) digits[kFirstConstantWord + d] = d;
  return digits;
}

namespace {

namespace mp = boost::multiprecision;

// Twice the cap: the product of two values below the cap always fits, so
// every operation is computed whole and then held against the cap. A fixed
// size, so that nothing is allocated.
using Big =
    mp::number<mp::cpp_int_backend<2 * kMaxValueBits, 2 * kMaxValueBits, mp::signed_magnitude, mp::unchecked, void>>;

bool BelowCap(Big& value) {
  // A product can leave a zero top limb in this fixed-size type; its length
  // is read only once that is trimmed.
  value.backend().normalize();
  if (value.is_zero()) return true;
  const Big magnitude = mp::abs(value);
  return mp::msb(magnitude) < kMaxValueBits;
}

using libero::Apply;  // the 64- and 128-bit forms, overloaded here for Big

// One operation on values below the cap; a result past it fails.
Outcome Apply(std::int32_t op, const Big& a, const Big& b, Big& r) {
  switch (op) {
    case kPlus:
      r = a + b;
      break;
    case kMinus:
      r = a - b;
      break;
    case kTimes:
      r = a * b;
      break;
    case kDivide:
    case kQuotient:
      if (b.is_zero()) return Outcome::kFails;
      if (op == kDivide && !(a % b).is_zero()) return Outcome::kFails;
      r = a / b;  // truncated toward zero
      break;
    case kPower: {
      if (b < 0 || b > kMaxExponent) return Outcome::kFails;
      Big power = 1;
      for (int e = b.convert_to<int>(); e > 0; --e) {
        power *= a;
        if (!BelowCap(power)) return Outcome::kFails;
      }
      r = power;
      break;
    }
    default:
      return Outcome::kFails;
  }
  return BelowCap(r) ? Outcome::kDone : Outcome::kFails;
}

// A digit appended to a word; false when the word no longer fits.
template <class Int>
bool AppendDigit(Int& value, std::int32_t digit) {
  return !__builtin_mul_overflow(value, 10, &value) && !__builtin_add_overflow(value, digit, &value);
}

bool AppendDigit(Big& value, std::int32_t digit) {
  value = value * 10 + digit;
  return BelowCap(value);
}

// The evaluation in one width, on the caller's stack. kDone sets `holds`;
// kFails means the relation is false; kTooWide asks for a wider width.
template <class Int>
Outcome Run(const std::int32_t* words, int length, const DigitValues& digits, Int* stack, bool& holds) {
  int top = -1;
  for (int i = 0; i < length; ++i) {
    const std::int32_t w = words[i];
    if (w == kStartWord) {
      if (top == kStackCapacity - 1) return Outcome::kFails;
      stack[++top] = 0;
      continue;
    }
    if (IsDigitWord(w)) {
      if (top < 0) return Outcome::kFails;
      if (!AppendDigit(stack[top], digits[w])) return Outcome::kTooWide;
      continue;
    }
    const std::int32_t op = OperatorOf(w);
    if (op < 0) continue;
    if (top < 1) return Outcome::kFails;
    const Int b = stack[top--];
    const Int a = stack[top];
    if (IsComparison(op)) {
      holds = Compare(op, a, b);
      return Outcome::kDone;
    }
    if (const Outcome o = Apply(op, a, b, stack[top]); o != Outcome::kDone) return o;
  }
  return Outcome::kFails;
}

// One width: false when a value was too wide for it; otherwise true, with
// the relation's verdict.
template <class Int>
bool Settles(const std::int32_t* words, int length, const DigitValues& digits, bool& verdict) {
  Int stack[kStackCapacity];
  bool holds = false;
  const Outcome outcome = Run(words, length, digits, stack, holds);
  verdict = outcome == Outcome::kDone && holds;
  return outcome != Outcome::kTooWide;
}

}  // namespace

// Values up to the cap take a kilobyte each: too many for the call stack.
class WideValues {
 public:
  std::array<Big, kStackCapacity> stack;
};

void WideValuesDeleter::operator()(WideValues* values) const { delete values; }

WideScratch MakeWideScratch() { return WideScratch(new WideValues); }

bool EvaluateExact(const std::int32_t* words, int length, const DigitValues& digits, WideValues& wide) {
  bool verdict = false;
  if (Settles<std::int64_t>(words, length, digits, verdict) || Settles<Wide>(words, length, digits, verdict)) {
    return verdict;
  }
  // Past the cap, the relation is false.
  bool holds = false;
  return Run(words, length, digits, wide.stack.data(), holds) == Outcome::kDone && holds;
}

namespace {

std::int64_t Reduce(std::int64_t value, std::int64_t modulus) {
  const std::int64_t r = value % modulus;
  return r < 0 ? r + modulus : r;
}

// The last digits of a power need only the last digits of its base.
std::int64_t PowerModulo(std::int64_t base, std::int64_t e, std::int64_t modulus) {
  std::int64_t result = 1 % modulus;
  base = Reduce(base, modulus);
  for (; e > 0; --e) result = result * base % modulus;
  return result;
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
    if (IsDigitWord(w)) {
      if (top < 0) return false;
      // Only a word of an exponent, read in full, can be this long.
      if (__builtin_mul_overflow(stack[top], 10, &stack[top]) ||
          __builtin_add_overflow(stack[top], digits[w], &stack[top])) {
        return true;
      }
      continue;
    }
    bool exact = false;
    const std::int32_t op = OperatorOf(w, &exact);
    if (op < 0) continue;
    if (top < 1) return false;
    const std::int64_t b = stack[top--];
    std::int64_t& a = stack[top];
    if (exact) {  // inside an exponent
      switch (Apply(op, a, b, a)) {
        case Outcome::kDone:
          continue;
        case Outcome::kFails:
          return false;
        case Outcome::kTooWide:
          return true;  // an exponent this wide cannot be told here; the whole relation will be
      }
    }
    switch (op) {
      case kPlus:
        a = Reduce(Reduce(a, modulus) + Reduce(b, modulus), modulus);
        break;
      case kMinus:
        a = Reduce(Reduce(a, modulus) - Reduce(b, modulus), modulus);
        break;
      case kTimes:
        a = Reduce(a, modulus) * Reduce(b, modulus) % modulus;
        break;
      case kPower:
        if (b < 0 || b > kMaxExponent) return false;
        a = PowerModulo(a, b, modulus);
        break;
      case kEqual:
        return Reduce(a, modulus) == Reduce(b, modulus);
      default:
        return true;  // a reading has no other operator; nothing can be told from one
    }
  }
  return false;
}

bool EvaluateCode(const RelationCode& code, bool units, const DigitValues& digits) {
  if (units) return EvaluateReading(code.words.data(), code.length, 10, digits);
  // One scratch a thread, made at the first call, for callers that evaluate
  // a relation now and then rather than in a search.
  thread_local const WideScratch wide = MakeWideScratch();
  return EvaluateExact(code.words.data(), code.length, digits, *wide);
}

}  // namespace zifrel::libero
