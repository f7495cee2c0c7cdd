#pragma once

#include <vector>

#include "core/stop_flag.h"
#include "deduce/deduction.h"

namespace zifrel {

// One line of an explanation: a numbered step (depth 0) or, inside a trial,
// a step under its assumption (depth 1, 2, ... for trials within trials),
// with the states before and after it.
struct PlannedLine {
  Step step;
  CandidateState before, after;
  int depth = 0;
  bool holds = true;         // false: after it a letter has no digit left
  bool leadingNote = false;  // the rule of leading digits is said here
  bool closing = false;      // the end of the trial opened by the line with this step
};

// The explanation of a deduction: only the steps the solution needs, each
// taken again where the steps it needs leave the digits; the rule of
// leading digits folded into the first step that uses it; every trial
// written out, only with the steps its contradiction needs.
struct ExplanationPlan {
  std::vector<PlannedLine> lines;
  int numbered = 0;               // lines of depth 0 that open a step
  SymbolMask leadingSymbols = 0;  // the letters the leading-digit rule is said of
};

// False when stopped.
bool PlanExplanation(SchemaDeduction& deduction, StopFlag& stop, ExplanationPlan& plan);

// For the measures in bench/: how many steps of the deduction are kept, and
// of those how many could still be left out, one at a time, with every
// other step still following and the solution reached.
struct StepsNeeded {
  int steps = 0;
  int kept = 0;
  int deletable = 0;
  int deletableBefore = 0;  // of all the steps, before the unneeded ones are left out
};
StepsNeeded MeasureSteps(SchemaDeduction& deduction, StopFlag& stop);

}  // namespace zifrel
