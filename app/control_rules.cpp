#include "app/workbench.h"
#include "schema/op_combo_table.h"

namespace zifrel {

// Derives every mode-dependent control state from the selections and the
// current operators, from scratch. The selections are read once, at the
// start, and the rules use those readings even after one of them has moved
// RandOp. Running it again on its own results changes nothing.
void Workbench::RefreshControls() {
  const auto mode = static_cast<JobMode>(model_.Operaz.itemIndex);
  const bool largest = model_.MaxN.itemIndex == 1;  // "9999"
  const auto source = static_cast<OperatorSource>(model_.RandOp.itemIndex);
  const bool admitted = IsAdmitted(model_.CurrentOps);

  const bool libero = mode == JobMode::Libero;
  model_.Libe.visible = libero;
  model_.Label7.visible = libero;
  model_.SolLab.visible = libero;
  model_.Copia.visible = !libero;

  // The operators matter to Risolvi, and to Genera when they are fixed,
  // which only 999 allows.
  const bool fixedOps = !largest && source == OperatorSource::kFixed;
  if (mode == JobMode::Risolvi || fixedOps) {
    EnableOps();
  } else {
    DisableOps();
  }

  model_.MaxN.visible = mode == JobMode::Genera;
  model_.RandOp.visible = mode == JobMode::Genera;
  model_.RandOp.enabled = !largest;
  // A maximum of 9999 always draws its operators: it forces "A caso".
  model_.RandOp.itemIndex = static_cast<int>(fixedOps ? OperatorSource::kFixed : OperatorSource::kRandom);

  // Operators that admit no Schema block Vai where the job would use them.
  // A Libero job uses none, so nothing there blocks it.
  const bool blocked = !admitted && (mode == JobMode::Risolvi || (mode == JobMode::Genera && fixedOps));
  model_.NoPoss.visible = blocked;
  model_.Button1.enabled = !blocked;
}

void Workbench::EnableOps() {
  for (int i = 0; i < kOperatorCount; ++i) {
    model_.Bo[i].caption = OperatorGlyph(model_.CurrentOps[i]);
    model_.Bo[i].enabled = true;
  }
}

// The captions stay as they are and may lag behind CurrentOps until the next
// EnableOps.
void Workbench::DisableOps() {
  for (ButtonControl& button : model_.Bo) button.enabled = false;
}

void Workbench::CycleOp(int i) {
  OpCode& op = model_.CurrentOps[i - 1];
  op = NextOperator(op);
  RefreshControls();
}

void Workbench::SetOp(int i, OpCode op) {
  model_.CurrentOps[i - 1] = op;
  RefreshControls();
}

void Workbench::CancClick() {
  for (EditControl& cell : model_.Ed) cell.SetText("");
  model_.TheM.Clear();
  model_.Libe.Clear();
  model_.CurrentOps = kAllPlus;
  RefreshControls();
}

}  // namespace zifrel
