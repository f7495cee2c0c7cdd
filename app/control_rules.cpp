#include "app/workbench.h"
#include "schema/op_combo_table.h"

namespace zifrel {

// Derives every mode-dependent control state from the selections and the
// current operators, from scratch. Running it on its own results changes
// nothing, so a RandOp click raised by rule 5 is harmless.
void Workbench::RefreshControls() {
  const int m = model_.Operaz.itemIndex;
  const int x = model_.MaxN.itemIndex;
  const int r = model_.RandOp.itemIndex;
  const bool admitted = IsAdmitted(model_.CurrentOps);

  const bool libero = m == 2;
  model_.Libe.visible = libero;
  model_.Label7.visible = libero;
  model_.SolLab.visible = libero;
  model_.Copia.visible = !libero;

  const bool fixedOps = x == 0 && r == 1;
  if (m == 1 || fixedOps) {
    EnableOps();
  } else {
    DisableOps();
  }

  model_.MaxN.visible = m == 0;
  model_.RandOp.visible = m == 0;
  model_.RandOp.enabled = x == 0;
  model_.RandOp.itemIndex = (x == 1 || r == 0) ? 0 : 1;  // 9999 forces "A caso"

  // A Libero job uses no operators, so nothing there blocks Vai.
  const bool blocked = !libero && !admitted && (m == 1 || (m == 0 && fixedOps));
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

void Workbench::CancClick() {
  for (EditControl& cell : model_.Ed) cell.SetText("");
  model_.TheM.Clear();
  model_.Libe.Clear();
  model_.CurrentOps = kAllPlus;
  RefreshControls();
}

}  // namespace zifrel
