#include "schema/risolvi.h"

#include "core/messages.h"

namespace zifrel {

int RunRisolvi(SchemaSolver& solver, const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out) {
  const int result = solver.SolveSchema(SolveMode::Report, cells, ops, stop, &out);
  if (result == kSolveIncomplete) out.AppendLine(msg::kIncomplete);
  if (result == kSolveTooManySymbols) out.AppendLine(msg::kTooManySymbols);
  return result;
}

}  // namespace zifrel
