#include <memory>

#include "app/workbench.h"
#include "core/messages.h"
#include "deduce/deduction.h"
#include "deduce/explanation_phrases.h"
#include "schema/op_combo_table.h"

namespace zifrel {

// The grading runs here, on the window thread, before the print dialog
// opens: it takes at most about 20 ms for a generated Schema (measured with
// bench/deduction_bench.cpp, BM_GradeGenerated), and a Schema with several
// solutions is refused as soon as the solver has counted them.
std::optional<SheetSchema> Workbench::GradedSchema() {
  SheetSchema schema;
  schema.ops = model_.CurrentOps;
  for (int k = 0; k < kCellCount; ++k) schema.cells[k] = model_.Ed[k].Text();
  const CellTexts cells = CellTextsOf(schema.cells);
  // A sheet without its answer key would be a puzzle nobody can check, and
  // a game without one could not be judged: Stampa and Gioca refuse what
  // Spiega refuses, with the same words.
  const auto refuse = [this](std::string_view reason) {
    if (reportError_) reportError_(std::string(reason));
    return std::nullopt;
  };
  if (!IsAdmitted(schema.ops)) return refuse(msg::kNoPossibleSolution);
  StopFlag stop;  // never set: the grading is short
  const auto deduction = std::make_unique<SchemaDeduction>();
  switch (deduction->Deduce(cells, schema.ops, stop)) {
    case DeductionOutcome::kIncomplete:
      return refuse(msg::kIncomplete);
    case DeductionOutcome::kTooManySymbols:
      return refuse(msg::kTooManySymbols);
    case DeductionOutcome::kDeduced:
      schema.solution = deduction->Solver().Solution(0);
      schema.level = deduction->Level();
      break;
    default:  // no solution, or several
      return refuse(phrase::kNotUnique);
  }
  return schema;
}

std::optional<SheetDocument> Workbench::StampaSheet(std::string note) {
  std::optional<SheetSchema> schema = GradedSchema();
  if (!schema) return std::nullopt;
  return SheetDocument{std::move(note), {std::move(*schema)}};
}

std::optional<SheetSchema> Workbench::GiocaSchema() {
  if (!SchemaCommandsAvailable()) return std::nullopt;
  return GradedSchema();
}

}  // namespace zifrel
