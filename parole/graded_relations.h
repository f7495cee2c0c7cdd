#pragma once

#include <string>

#include "core/stop_flag.h"
#include "parole/relation_generator.h"

namespace zifrel::parole {

// Relations of a chosen level are drawn until one comes, at most this many:
// level 5 comes about once in 250 (measured with bench/parole_bench.cpp).
inline constexpr int kLevelRelations = 2000;

struct GradedRelation {
  SearchEnd end = SearchEnd::kNone;
  std::string text;           // when found
  int level = 0;              // 1..5 when found
  bool levelMissing = false;  // given up: kLevelRelations relations, none of the level
};

// The generator's next relation with its level; with `level` 1..5, the next
// one of that level. The same generator and seed give the same relations.
GradedRelation NextGraded(RelationGenerator& generator, int level, StopFlag& stop);

}  // namespace zifrel::parole
