#include "schema/last_step.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zifrel {
namespace {

// a + b·v.
struct Affine {
  std::int64_t a = 0;
  std::int64_t b = 0;
};

Affine operator+(Affine x, Affine y) { return {x.a + y.a, x.b + y.b}; }
Affine operator-(Affine x, Affine y) { return {x.a - y.a, x.b - y.b}; }
// One factor is constant in every linear plan, so there is no v² term.
Affine operator*(Affine x, Affine y) { return {x.a * y.a, x.a * y.b + x.b * y.a}; }

std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {  // d > 0
  return n >= 0 ? n / d : -((-n + d - 1) / d);
}
std::int64_t CeilDiv(std::int64_t n, std::int64_t d) { return -FloorDiv(-n, d); }

// The values of v allowed so far: lo..hi.
struct Range {
  std::int64_t lo;
  std::int64_t hi;

  void AtLeast(Affine e, std::int64_t bound) {  // a + b·v >= bound
    if (e.b > 0) lo = std::max(lo, CeilDiv(bound - e.a, e.b));
    if (e.b < 0) hi = std::min(hi, FloorDiv(e.a - bound, -e.b));
    if (e.b == 0 && e.a < bound) hi = lo - 1;
  }
  void AtMost(Affine e, std::int64_t bound) {  // a + b·v <= bound
    AtLeast({-e.a, -e.b}, -bound);
  }
};

}  // namespace

bool LastStepIsLinear(const GenPlan& plan) {
  const GenStep<FreeKind>& last = plan.free[1];
  if (last.kind == FreeKind::ProductResultKnown) return false;  // its candidates are divisor pairs
  std::array<bool, kCellCount> varies{};
  const bool firstKnown = last.kind == FreeKind::ProductFirstKnown || last.kind == FreeKind::SumFirstKnown;
  const bool resultKnown = last.kind == FreeKind::SumResultKnown;
  varies[firstKnown ? last.second : last.first] = true;
  varies[resultKnown ? last.second : last.result] = true;

  for (const GenStep<DerivedKind>& d : plan.derived) {
    const int kind = static_cast<int>(d.kind);
    if (d.kind == DerivedKind::ProductCheck && varies[d.first] && varies[d.second]) return false;  // v²
    if (kind < 2) continue;  // a check computes nothing
    const int computed = kind >= 16 ? d.result : kind >= 8 ? d.second : d.first;
    const int a = computed == d.first ? d.second : d.first;
    const int b = computed == d.result ? d.second : d.result;
    const bool product = (kind & 1) == 0;
    if (product && computed != d.result && (varies[a] || varies[b])) return false;  // a quotient
    if (product && computed == d.result && varies[a] && varies[b]) return false;    // v²
    varies[computed] = varies[a] || varies[b];
  }
  return true;
}

int OnlyLastValue(const GenPlan& plan, const NumberGrid& x, int max) {
  std::array<Affine, kCellCount> cell;
  for (int k = 0; k < kCellCount; ++k) cell[k] = {x[k], 0};
  const Affine v{0, 1};
  Range range{1, max};

  const GenStep<FreeKind>& last = plan.free[1];
  switch (last.kind) {
    case FreeKind::ProductFirstKnown:
      cell[last.second] = v;
      cell[last.result] = cell[last.first] * v;
      range.AtMost(cell[last.result], max);
      break;
    case FreeKind::ProductSecondKnown:
      cell[last.first] = v;
      cell[last.result] = v * cell[last.second];
      range.AtMost(cell[last.result], max);
      break;
    case FreeKind::SumFirstKnown:
      cell[last.second] = v;
      cell[last.result] = cell[last.first] + v;
      range.AtMost(cell[last.result], max);
      break;
    case FreeKind::SumSecondKnown:
      cell[last.first] = v;
      cell[last.result] = v + cell[last.second];
      range.AtMost(cell[last.result], max);
      break;
    case FreeKind::SumResultKnown:
      cell[last.first] = v;
      cell[last.second] = cell[last.result] - v;
      range.AtLeast(cell[last.second], 1);
      break;
    case FreeKind::ProductResultKnown:
      return kAnyLastValue;  // not a linear plan
  }

  // The derived steps as the search applies them, each condition that makes
  // one fail turned into a bound on v; the pure check gives the equation.
  Affine equation;
  for (const GenStep<DerivedKind>& d : plan.derived) {
    Affine& first = cell[d.first];
    Affine& second = cell[d.second];
    Affine& result = cell[d.result];
    switch (d.kind) {
      case DerivedKind::ProductCheck:
        equation = first * second - result;
        break;
      case DerivedKind::SumCheck:
        equation = first + second - result;
        break;
      case DerivedKind::ProductFindsFirst:  // both operands constant in a linear plan
        if (result.a % second.a != 0) return kNoLastValue;
        first = {result.a / second.a, 0};
        break;
      case DerivedKind::ProductFindsSecond:
        if (result.a % first.a != 0) return kNoLastValue;
        second = {result.a / first.a, 0};
        break;
      case DerivedKind::SumFindsFirst:
        first = result - second;
        range.AtLeast(first, 1);
        break;
      case DerivedKind::SumFindsSecond:
        second = result - first;
        range.AtLeast(second, 1);
        break;
      case DerivedKind::ProductFindsResult:
        result = first * second;
        range.AtMost(result, max);
        break;
      case DerivedKind::SumFindsResult:
        result = first + second;
        range.AtMost(result, max);
        break;
    }
    // Stopping at the first step that fails, as the search does, also keeps a
    // constant that is not a cell value from ever becoming a divisor.
    if (range.lo > range.hi) return kNoLastValue;
  }

  if (equation.b == 0) return equation.a == 0 ? kAnyLastValue : kNoLastValue;
  if (equation.a % equation.b != 0) return kNoLastValue;
  const std::int64_t only = -equation.a / equation.b;
  return only >= range.lo && only <= range.hi ? static_cast<int>(only) : kNoLastValue;
}

}  // namespace zifrel
