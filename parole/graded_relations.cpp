#include "parole/graded_relations.h"

#include "parole/word_explanation.h"

namespace zifrel::parole {

GradedRelation NextGraded(RelationGenerator& generator, int level, StopFlag& stop) {
  for (int k = 0; k < kLevelRelations; ++k) {
    GeneratedRelation relation = generator.Next(stop);
    if (relation.end != SearchEnd::kFound) return {relation.end, "", 0};
    const WordGrading grading = GradeWordRelation(relation.text, stop);
    if (grading.outcome == WordExplainOutcome::kStopped) return {SearchEnd::kStopped, "", 0};
    if (level == 0 || grading.level == level) return {SearchEnd::kFound, std::move(relation.text), grading.level};
  }
  return {SearchEnd::kNone, "", 0, true};
}

}  // namespace zifrel::parole
