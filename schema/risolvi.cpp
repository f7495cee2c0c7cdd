#include "schema/risolvi.h"

#include "core/messages.h"

namespace zifrel {

SolveOutcome RunRisolvi(SchemaSolver& solver, const CellTexts& cells, const OpCodes& ops, StopFlag& stop,
                        LineSink& out) {
  const SolveOutcome outcome = solver.SolveSchema(SolveMode::Report, cells, ops, stop, &out);
  if (outcome == SolveOutcome::kIncomplete) out.AppendLine(msg::kIncomplete);
  if (outcome == SolveOutcome::kTooManySymbols) out.AppendLine(msg::kTooManySymbols);
  return outcome;
}

}  // namespace zifrel
