#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "generate/divisor_table.h"
#include "generate/generator.h"

namespace zifrel::testing {

// Checks written apart from the generator. Each returns what is wrong, or an
// empty string.

// The rules of a number grid read plainly: all six equations hold (a ÷ b = c
// as c × b = a, a − b = c as c + b = a), the numbers lie in 1..max, are
// distinct, and one exceeds max div 10.
std::string GridFault(const NumberGrid& grid, const OpCodes& ops, int max);

// A generated Schema is sound: admitted operators, a grid that obeys the
// rules, cells of the letters A..J as long as their numbers, and solving the
// letter Schema through the Risolvi job reports exactly one solution, the
// generated grid.
std::string SchemaFault(const GeneratedSchema& schema, int max);

// The start-up sequence of the window and of zifrel-cli: seed, then the
// divisor table.
GeneratorState Started(std::int32_t seed);

// How often each operator layout comes first, over the seeds first..last at
// 999 with random operators: layout code to count.
std::map<int, int> FirstLayouts(int firstSeed, int lastSeed);

using SchemaCheck = std::string (*)(const GeneratedSchema& schema, int max);

// For each seed, start-up and then `jobs` consecutive random-operator jobs,
// as the window runs them: the first Schema that fails the check, named by
// seed and job.
std::string SeedsFault(int firstSeed, int lastSeed, int jobs, int max, SchemaCheck check = SchemaFault);

// One attempt of the grid search with maximum 999, once computing the last
// free step's value and once walking the values as the plain search does,
// on the same value orders: where the two differ.
std::string ShortcutFault(SubtractiveRng& rng, const DivisorTable& table, const OpCodes& ops);

}  // namespace zifrel::testing
