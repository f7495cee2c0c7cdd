#include "app/play_hint.h"

#include "deduce/explain.h"

namespace zifrel {

PlayHint HintFromKnownDigits(const std::array<std::string, kCellCount>& cells, const OpCodes& ops,
                             std::span<const KnownDigit> known, StopFlag& stop) {
  LineCollector lines;
  switch (Hint(CellTextsOf(cells), ops, stop, lines, known)) {
    case ExplainOutcome::kExplained:
    case ExplainOutcome::kWrongKnown:
      return {HintOutcome::kHint, std::move(lines.lines)};
    case ExplainOutcome::kStopped:
      return {HintOutcome::kStopped, {}};
    default:
      return {HintOutcome::kRefused, std::move(lines.lines)};
  }
}

}  // namespace zifrel
