#pragma once

#include <vector>

#include "core/search_end.h"
#include "core/stop_flag.h"
#include "deduce/techniques.h"

namespace zifrel {

// kFound: a contradiction (or, for Find, a digit ruled out); kNone: none.

// A trial of level 4 follows its assumption with the techniques of level 1
// only, so that its chain is short and plain; a trial that needs more (the
// techniques of levels 2 and 3 after the assumption, or trials within it)
// is level 5.
inline constexpr int kPlainTrialLevel = 1;
inline constexpr int kPlainTrialDigits = 3;  // a plain trial tries a letter with two or three digits left
inline constexpr int kDeepTrialLevel = 3;

// One line of a trial written out: a step taken under the assumption (a
// nested trial is a step too, its own lines after it, one deeper), and the
// state before it.
struct TrialLine {
  DeductionStep step;
  CandidateState before;
  int depth = 1;
};

// Trials: assume a digit for a letter, follow the techniques, and when they
// meet a contradiction the digit is ruled out. When no single trial does,
// trials nest: inside an assumption, further trials rule out digits until
// the contradiction comes. Polls the stop flag at every assumption.
class TrialSearch {
 public:
  TrialSearch(DeductionContext& context, StopFlag& stop) : context_(context), stop_(stop) {}

  // The first digit that a trial rules out: every digit of every open
  // letter (letters with fewer digits first) in a plain trial, then in a
  // trial with the harder techniques inside, then with trials within it,
  // nested ever deeper. In a Schema with one solution every wrong digit
  // leads to a contradiction at some depth.
  SearchEnd Find(const CandidateState& state, DeductionStep& step);

  // kFound: assuming `digit` for `symbol` leads to a contradiction with
  // trials nested at most `depth` deep. With `lines`, writes the trial out:
  // each step after the assumption, up to the contradiction.
  SearchEnd Contradicts(const CandidateState& state, int symbol, int digit, int depth, int inside,
                        std::vector<TrialLine>* lines = nullptr, int lineDepth = 1);

 private:
  SearchEnd Propagate(CandidateState& state, int inside, std::vector<TrialLine>* lines, int lineDepth);
  // Finds and applies the first digit an inner trial rules out (then
  // `progressed`); kFound when that leaves a letter with no digit.
  SearchEnd RuleOutByInnerTrial(CandidateState& state, int depth, int inside, std::vector<TrialLine>* lines,
                                int lineDepth, bool& progressed);

  DeductionContext& context_;
  StopFlag& stop_;
};

// The step a trial of `depth` that rules out `digit` of `symbol` makes,
// `inside` the level of the techniques that follow its assumption.
DeductionStep TrialStep(int symbol, int digit, int depth, int inside);

}  // namespace zifrel
