#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zifrel::testing {

// The free search in its first, plain form, written apart from the real one and
// kept plain: its own parser and evaluator on the normalised relations, the
// pilot chosen by the counts of its readings, the pilot's variables tried
// from m down to 1, then the others from total down to m + 1, every relation
// tested in full once every variable has a digit.
//
// With `unitsFilter` the pilot's units reading is tested as soon as its
// variables have digits, as the plain search first did: an exponent read in
// full, and 64-bit arithmetic that wraps. Without it no assignment is cut before the
// full test: that is the ground truth the real search must match exactly,
// since no test of a reading may ever reject a solution.
struct ReferenceOutcome {
  int code = 0;                        // 0 when searched, else as PrepareAndSearch
  std::string letters;                 // the variables' letters in number order
  std::vector<std::string> solutions;  // each solution's digits, in the order found
  long leaves = 0;                     // complete assignments tested in full
};

// `relations`: normalised texts that pass their check (">=" written as a tab,
// "<=" as a line feed, "<>" as a vertical tab).
ReferenceOutcome ReferenceSolve(const std::vector<std::string>& relations, bool unitsFilter = false);

// The output-area lines the job writes for that outcome (a finished search,
// or too many letters in all).
std::vector<std::string> ReferenceLines(const ReferenceOutcome& outcome);

// The value of an expression without relation symbol for the digits of its
// letters (by letter A..Z), or nothing when an operation fails.
std::optional<std::int64_t> ReferenceValue(std::string_view expression, const std::array<int, 26>& digits);

}  // namespace zifrel::testing
