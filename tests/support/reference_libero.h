#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zifrel::testing {

// The free search in its plain form, written apart from the real one: its own
// reader of the normalised relations, the pilot relation chosen by the letter
// counts of its readings, the pilot's letters tried first, then the others,
// every relation tested in full once every letter has a digit.
struct ReferenceOutcome {
  std::string letters;                 // in the order they are numbered
  std::vector<std::string> solutions;  // each solution's digits, in the order found
};

// `relations`: normalised texts that pass their check, at most ten letters in
// all (">=" written as a tab, "<=" as a line feed, "<>" as a vertical tab).
// Every value is exact, and a value from 2^4096 on makes the relation false.
// `unitsFilter` also tests the pilot's units reading once its letters have
// digits: quicker, and sound, since it reads residues of the exact values.
ReferenceOutcome ReferenceSolve(const std::vector<std::string>& relations, bool unitsFilter = false);

// The output-area lines of a job whose search found `outcome`.
std::vector<std::string> ReferenceLines(const ReferenceOutcome& outcome);

// The value of a normalised expression without relation symbol for the
// digits of its letters (by letter A..Z), or nothing when an operation fails
// or the value does not fit in 64 bits.
std::optional<std::int64_t> ReferenceValue(std::string_view expression, const std::array<int, 26>& digits);

}  // namespace zifrel::testing
