#pragma once

#include "core/stop_flag.h"
#include "deduce/techniques.h"

namespace zifrel {

// kFound: a contradiction (or, for Find, a digit ruled out); kNone: none.
enum class TrialEnd { kFound, kNone, kStopped };

// Trials: assume a digit for a symbol, follow the other techniques, and when
// they meet a contradiction the digit is ruled out. When no single trial
// does, trials nest: inside an assumption, further trials rule out digits
// until the contradiction comes. Polls the stop flag at every assumption.
class TrialSearch {
 public:
  TrialSearch(DeductionContext& context, StopFlag& stop) : context_(context), stop_(stop) {}

  // The first digit that a trial rules out, trying every digit of every
  // open symbol at depth 1, then at depth 2, and so on. In a Schema with one
  // solution every wrong digit leads to a contradiction at some depth.
  TrialEnd Find(const CandidateState& state, Step& step);

 private:
  TrialEnd Contradicts(const CandidateState& state, int symbol, int digit, int depth, TrialDetail* detail);
  TrialEnd Propagate(CandidateState& state, TrialDetail* detail);
  // Finds and applies the first digit an inner trial rules out (then
  // `progressed`); kFound when that leaves a symbol with no digit.
  TrialEnd RuleOutByInnerTrial(CandidateState& state, int depth, TrialDetail* detail, bool& progressed);

  DeductionContext& context_;
  StopFlag& stop_;
};

}  // namespace zifrel
