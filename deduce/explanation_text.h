#pragma once

#include <string>

#include "core/line_sink.h"
#include "deduce/deduction.h"

namespace zifrel {

// No line of an explanation is longer.
inline constexpr std::size_t kExplanationWidth = 78;

// Writes the steps first .. first + count - 1 of a deduction, numbered from
// first + 1, each as a short paragraph: the equation as written, the
// technique in plain words, what it rules out.
void WriteSteps(const SchemaDeduction& deduction, int first, int count, LineSink& out);

// "Livello: 3 (difficile)".
std::string LevelLine(int level);

}  // namespace zifrel
