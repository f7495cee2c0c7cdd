#pragma once

#include "app/window_model.h"
#include "schema/cell_texts.h"
#include "schema/operators.h"

namespace zifrel {

enum class JobMode { Genera = 0, Risolvi = 1, Libero = 2 };  // Operaz's ItemIndex
enum class OperatorSource { kRandom = 0, kFixed = 1 };       // RandOp's ItemIndex: "A caso", "Fissate"

// What a job does: its mode's search (Vai), or one of the commands of the
// text areas' context menus: the explanation, first step or level of the
// Schema in the cells, a new relation for the formula area, or the
// explanation of the relation it holds.
enum class JobTask { kSearch, kExplain, kHint, kLevel, kWordPuzzle, kExplainRelation };

// Everything a job takes from the window, captured when it starts: later
// edits in the window do not reach it.
struct JobRequest {
  JobTask task = JobTask::kSearch;
  JobMode mode = JobMode::Genera;
  int max = 999;  // 999 or 9999
  OperatorSource source = OperatorSource::kRandom;
  OpCodes ops{};    // the window's, where the job uses them; all 0 otherwise
  CellTexts cells;  // the Schema in the cells, where the job uses it
};

// The one place where a job's request is taken from the window.
JobRequest RequestFrom(const WindowModel& window, JobTask task);

}  // namespace zifrel
