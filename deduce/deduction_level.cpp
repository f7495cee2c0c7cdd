#include <algorithm>

#include "deduce/deduction.h"
#include "deduce/techniques.h"

namespace zifrel {

int StepLevel(const Step& step) {
  switch (step.technique) {
    case Technique::kLeadingDigits:
    case Technique::kLengths:
    case Technique::kIdentity:
    case Technique::kOnlyPlace:
      return 1;
    case Technique::kLastDigits:
      return step.columns == 1 || step.open <= kEasyLastDigitsOpen ? 1 : 3;
    case Technique::kRanges:
    case Technique::kDigitGroup:
      return 2;
    case Technique::kCombinations:
    case Technique::kTwoEquations:
      return 3;
    case Technique::kTrial:
      return step.trial.depth > 1 || step.trial.inside > 1 ? 5 : 4;
  }
  return 5;
}

int LevelOfSteps(const Step* steps, int count) {
  int level = 1;
  for (int i = 0; i < count; ++i) level = std::max(level, StepLevel(steps[i]));
  return level;
}

}  // namespace zifrel
