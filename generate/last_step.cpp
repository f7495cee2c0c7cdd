#include "generate/last_step.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/integer_division.h"

namespace zifrel {
namespace {

using Wide = __int128;

// a + b·v, or a value that is no affine function of v.
struct Affine {
  std::int64_t a = 0;
  std::int64_t b = 0;
  bool known = true;

  bool Varies() const { return b != 0; }
};

Affine operator+(Affine x, Affine y) { return {x.a + y.a, x.b + y.b, x.known && y.known}; }
Affine operator-(Affine x, Affine y) { return {x.a - y.a, x.b - y.b, x.known && y.known}; }
// One of the two factors is constant wherever a free step multiplies.
Affine operator*(Affine x, Affine y) { return {x.a * y.a, x.a * y.b + x.b * y.a, x.known && y.known}; }

// c·v² + b·v + a.
struct Quadratic {
  Wide a = 0;
  Wide b = 0;
  Wide c = 0;
};

Quadratic Times(Affine x, Affine y) { return {Wide{x.a} * y.a, Wide{x.a} * y.b + Wide{x.b} * y.a, Wide{x.b} * y.b}; }

// The values of v allowed so far: lo..hi.
struct Range {
  std::int64_t lo;
  std::int64_t hi;

  void AtLeast(Affine e, std::int64_t bound) {  // a + b·v >= bound; nothing known of a cell no affine
    if (!e.known) return;
    if (e.b > 0) lo = std::max(lo, CeilDiv(bound - e.a, e.b));
    if (e.b < 0) hi = std::min(hi, FloorDiv(e.a - bound, -e.b));
    if (e.b == 0 && e.a < bound) hi = lo - 1;
  }
  void AtMost(Affine e, std::int64_t bound) { AtLeast({-e.a, -e.b, e.known}, -bound); }  // a + b·v <= bound
  bool Empty() const { return lo > hi; }
};

// The derived steps read as conditions on v, in the order the search
// applies them, until one narrows v down to a list or they leave it free.
class Narrowing {
 public:
  Narrowing(const GenPlan& plan, const NumberGrid& x, int max, const DivisorTable& divisors)
      : plan_(plan), max_(max), divisors_(divisors), range_{1, max} {
    for (int k = 0; k < kCellCount; ++k) cell_[k] = {x[k], 0};
  }

  LastValues Run() {
    if (!SetFreeStep()) return Walk();
    for (const GenStep<DerivedKind>& step : plan_.derived) {
      if (range_.Empty()) return None();
      if (std::optional<LastValues> values = Derive(step)) return *values;
    }
    return Walk();  // the derived steps leave v free: every value may pass
  }

 private:
  static LastValues Walk() { return {}; }
  static LastValues None() { return {LastValues::Kind::kListed, 0, {}}; }

  void Add(LastValues& values, Wide v) const {
    if (v >= range_.lo && v <= range_.hi && values.count < kMaxLastValues) {
      values.values[values.count++] = static_cast<std::int32_t>(v);
    }
  }

  // The cells the last free step sets, as functions of v, and its own
  // bound: a result within the maximum, or a second operand from 1.
  bool SetFreeStep() {
    const GenStep<FreeKind>& step = plan_.free[1];
    if (step.kind == FreeKind::kProductResultKnown) return false;  // its candidates are divisor pairs
    SetFreeCells(step, cell_, Affine{0, 1});
    if (step.kind == FreeKind::kSumResultKnown) {
      range_.AtLeast(cell_[step.second], 1);
    } else {
      range_.AtMost(cell_[step.result], max_);
    }
    return true;
  }

  static Affine Scaled(Affine x, std::int64_t factor) { return {x.a * factor, x.b * factor, x.known}; }

  // One derived step: nothing while v stays open, else the values it leaves.
  std::optional<LastValues> Derive(const GenStep<DerivedKind>& step) {
    Affine& first = cell_[step.first];
    Affine& second = cell_[step.second];
    Affine& result = cell_[step.result];
    switch (step.kind) {
      case DerivedKind::kProductCheck:
        if (!first.known || !second.known || !result.known) return Walk();
        return Solve(Times(first, second), result);
      case DerivedKind::kSumCheck:
        if (!first.known || !second.known || !result.known) return Walk();
        return Solve({first.a + Wide{second.a}, first.b + Wide{second.b}, 0}, result);
      case DerivedKind::kProductFindsFirst:
        return Quotient(result, second, first);
      case DerivedKind::kProductFindsSecond:
        return Quotient(result, first, second);
      case DerivedKind::kSumFindsFirst:
        first = result - second;
        range_.AtLeast(first, 1);
        return std::nullopt;
      case DerivedKind::kSumFindsSecond:
        second = result - first;
        range_.AtLeast(second, 1);
        return std::nullopt;
      case DerivedKind::kProductFindsResult:
        if (first.Varies() && second.Varies()) {
          result = {0, 0, false};  // v² : no affine cell
        } else {
          result = first.Varies() ? Scaled(first, second.a) : Scaled(second, first.a);
          result.known = first.known && second.known;
          if (result.known) range_.AtMost(result, max_);
        }
        return std::nullopt;
      case DerivedKind::kSumFindsResult:
        result = first + second;
        range_.AtMost(result, max_);
        return std::nullopt;
    }
    return Walk();
  }

  // The values of v that make product (a quadratic in v) equal `result`.
  LastValues Solve(const Quadratic& product, Affine result) const {
    const Wide c = product.c, b = product.b - result.b, a = product.a - result.a;
    LastValues values = None();
    if (c == 0) {
      if (b == 0) return a == 0 ? Walk() : values;  // holds for every value, or for none
      if (a % b == 0) Add(values, -a / b);
      return values;
    }
    const Wide discriminant = b * b - 4 * c * a;
    if (discriminant < 0) return values;
    auto root = static_cast<Wide>(std::sqrt(static_cast<long double>(discriminant)));
    while (root * root > discriminant) --root;
    while ((root + 1) * (root + 1) <= discriminant) ++root;
    if (root * root != discriminant) return values;
    for (const Wide numerator : {-b - root, -b + root}) {
      if (numerator % (2 * c) == 0) Add(values, numerator / (2 * c));
    }
    if (values.count == 2 && values.values[0] == values.values[1]) values.count = 1;
    return values;
  }

  // `quotient` := dividend / divisor, which must divide.
  std::optional<LastValues> Quotient(Affine dividend, Affine divisor, Affine& quotient) {
    if (!dividend.known || !divisor.known || (dividend.Varies() && divisor.Varies())) return Walk();
    if (divisor.Varies()) {
      // The divisor must be one of the dividend's divisors: few values of v.
      LastValues values = None();
      const auto add = [&](std::int64_t d) {
        if ((d - divisor.a) % divisor.b == 0) Add(values, (d - divisor.a) / divisor.b);
      };
      if (dividend.a < 1 || dividend.a > DivisorTable::kSize - 1) return values;
      add(1);
      for (const int d : divisors_.List(static_cast<int>(dividend.a))) add(d);
      if (dividend.a > 1) add(dividend.a);
      return values;
    }
    const std::int64_t d = divisor.a;
    if (d == 0) return None();
    if (dividend.b % d != 0) {
      quotient = {0, 0, false};  // divisible for some values only
      return std::nullopt;
    }
    if (dividend.a % d != 0) return None();  // divisible for none
    quotient = {dividend.a / d, dividend.b / d};
    return std::nullopt;
  }

  const GenPlan& plan_;
  const int max_;
  const DivisorTable& divisors_;
  std::array<Affine, kCellCount> cell_;
  Range range_;
};

}  // namespace

LastValues CandidateLastValues(const GenPlan& plan, const NumberGrid& x, int max, const DivisorTable& divisors) {
  return Narrowing(plan, x, max, divisors).Run();
}

}  // namespace zifrel
