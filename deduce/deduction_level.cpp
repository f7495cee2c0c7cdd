#include <algorithm>

#include "deduce/deduction.h"

namespace zifrel {
namespace {

// Bounding numbers again and again is work: a Schema that needs it this
// often counts as one that needs trying the combinations.
constexpr int kManyRanges = 5;

}  // namespace

int LevelOfSteps(const Step* steps, int count) {
  std::array<int, kTechniqueCount> uses{};
  int deepest = 0;
  for (int i = 0; i < count; ++i) {
    ++uses[static_cast<int>(steps[i].technique)];
    if (steps[i].technique == Technique::kTrial) deepest = std::max<int>(deepest, steps[i].trial.depth);
  }
  const auto used = [&](Technique t) { return uses[static_cast<int>(t)]; };
  if (deepest >= 2) return 5;
  if (deepest == 1) return 4;
  if (used(Technique::kCombinations) + used(Technique::kTwoEquations) > 0 || used(Technique::kRanges) >= kManyRanges)
    return 3;
  if (used(Technique::kRanges) > 0) return 2;
  return 1;
}

}  // namespace zifrel
