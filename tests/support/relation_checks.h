#pragma once

#include <cstdint>
#include <string>

#include "parole/relation_generator.h"

namespace zifrel::testing {

// Generates `count` relations and reads each back as the Libero job does: it
// must report exactly one solution, the digits of that solution must make the
// relation true in plain arithmetic, the letters must be as many as asked
// (at most ten), and no relation may come twice. Returns what is wrong,
// naming the seed, or an empty string.
std::string GeneratedRelationsFault(const parole::WordList& list, const parole::GeneratorOptions& options,
                                    std::int32_t seed, int count);

// Explains a relation with exactly one solution and checks it against the
// Libero search: after every step (a trial's inner steps aside, which follow
// a false assumption) each letter may still have its digit of the solution;
// the steps end at that solution; the explanation's lines are at most 78
// characters and end with Libero's report and the level line. Returns what
// is wrong, or an empty string.
std::string WordExplanationFault(const std::string& relation);

}  // namespace zifrel::testing
