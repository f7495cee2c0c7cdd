#include "libero/evaluator.h"

#include <boost/multiprecision/cpp_int.hpp>

#include "libero/code_walk.h"

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
Outcome Apply(Operator op, const Big& a, const Big& b, Big& r) {
  using enum Operator;
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

// The evaluation in one width. A failure ends the walk as false; a value
// too wide ends it asking for a wider width.
template <class Int>
struct ExactMeaning {
  using Value = Int;
  const DigitValues& digits;
  Outcome outcome = Outcome::kFails;
  bool holds = false;

  [[gnu::always_inline]] Int Start() const { return 0; }
  [[gnu::always_inline]] bool Append(Int& word, std::int32_t w) {
    if (AppendDigit(word, digits[w])) return true;
    outcome = Outcome::kTooWide;
    return false;
  }
  [[gnu::always_inline]] bool Operate(Operator op, bool, Int& a, const Int& b) {
    const Int left = a;
    outcome = Apply(op, left, b, a);
    return outcome == Outcome::kDone;
  }
  [[gnu::always_inline]] void Compare(Operator op, const Int& a, const Int& b) {
    outcome = Outcome::kDone;
    holds = libero::Compare(op, a, b);
  }
};

// kDone sets `holds`; kFails means the relation is false; kTooWide asks for
// a wider width.
template <class Int>
Outcome Run(const std::int32_t* words, int length, const DigitValues& digits, Int* stack, bool& holds) {
  ExactMeaning<Int> meaning{digits};
  if (WalkCode(words, length, meaning, stack) == WalkEnd::kMalformed) return Outcome::kFails;
  holds = meaning.holds;
  return meaning.outcome;
}

// One width: false when a value was too wide for it; otherwise true, with
// the relation's verdict.
template <class Int>
bool Settles(const std::int32_t* words, int length, const DigitValues& digits, bool& verdict) {
  std::array<Int, kStackCapacity> stack;
  bool holds = false;
  const Outcome outcome = Run(words, length, digits, stack.data(), holds);
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

namespace {

// The residues of a reading. A verdict that the reading cannot give (an
// exponent too wide to tell, an operator a reading does not have) lets the
// relation hold; an exponent that fails makes it false.
struct ReadingMeaning {
  using Value = std::int64_t;
  const DigitValues& digits;
  std::int64_t modulus;
  bool holds = false;

  std::int64_t Start() const { return 0; }
  bool Append(std::int64_t& word, std::int32_t w) {
    // Only a word of an exponent, read in full, can be this long.
    if (!AppendDigit(word, digits[w])) return Ends(true);
    return true;
  }
  bool Operate(Operator op, bool exact, std::int64_t& a, const std::int64_t& b) {
    if (exact) {  // inside an exponent
      switch (Apply(op, a, b, a)) {
        case Outcome::kDone:
          return true;
        case Outcome::kFails:
          return Ends(false);
        case Outcome::kTooWide:
          return Ends(true);  // an exponent this wide cannot be told here; the whole relation will be
      }
    }
    switch (op) {
      case Operator::kPlus:
        a = Reduce(Reduce(a, modulus) + Reduce(b, modulus), modulus);
        return true;
      case Operator::kMinus:
        a = Reduce(Reduce(a, modulus) - Reduce(b, modulus), modulus);
        return true;
      case Operator::kTimes:
        a = Reduce(a, modulus) * Reduce(b, modulus) % modulus;
        return true;
      case Operator::kPower:
        if (b < 0 || b > kMaxExponent) return Ends(false);
        a = PowerModulo(a, b, modulus);
        return true;
      default:
        return Ends(true);  // a reading has no other operator; nothing can be told from one
    }
  }
  void Compare(Operator op, const std::int64_t& a, const std::int64_t& b) {
    // A reading's one comparison is its equality.
    holds = op != Operator::kEqual || Reduce(a, modulus) == Reduce(b, modulus);
  }
  bool Ends(bool verdict) {
    holds = verdict;
    return false;
  }
};

}  // namespace

bool EvaluateReading(const std::int32_t* words, int length, std::int64_t modulus, const DigitValues& digits) {
  ReadingMeaning meaning{digits, modulus};
  std::array<std::int64_t, kStackCapacity> stack;
  return WalkCode(words, length, meaning, stack.data()) != WalkEnd::kMalformed && meaning.holds;
}

bool EvaluateCode(const RelationCode& code, bool units, const DigitValues& digits) {
  if (units) return EvaluateReading(code.words.data(), code.length, 10, digits);
  // One scratch a thread, made at the first call, for callers that evaluate
  // a relation now and then rather than in a search.
  thread_local const WideScratch wide = MakeWideScratch();
  return EvaluateExact(code.words.data(), code.length, digits, *wide);
}

}  // namespace zifrel::libero
