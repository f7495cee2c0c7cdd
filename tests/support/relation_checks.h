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

}  // namespace zifrel::testing
