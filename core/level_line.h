#pragma once

#include <string>
#include <string_view>

#include "core/paragraph.h"

namespace zifrel {

// The last line of every explanation, for Schemas and word relations alike:
// "Livello: 2 (medio)", for a level 1..5.
inline constexpr std::string_view kLevelNames[] = {"facile", "medio", "difficile", "molto difficile", "diabolico"};

inline std::string LevelLine(int level) {
  return Fill("Livello: {} ({})", {std::to_string(level), kLevelNames[level - 1]});
}

}  // namespace zifrel
