#pragma once

#include "core/line_sink.h"
#include "core/stop_flag.h"
#include "schema/cell_texts.h"
#include "schema/operators.h"
#include "schema/solver.h"

namespace zifrel {

// The Risolvi job, whichever front end runs it: solve the typed Schema and
// write the report, or the line that says why the input was refused.
// Returns how the solve ended.
SolveOutcome RunRisolvi(SchemaSolver& solver, const CellTexts& cells, const OpCodes& ops, StopFlag& stop,
                        LineSink& out);

}  // namespace zifrel
