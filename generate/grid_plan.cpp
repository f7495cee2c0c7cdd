#include "generate/grid_plan.h"

#include <utility>

namespace zifrel {
namespace {

struct Record {
  SchemaEquation equation;
  bool placed = false;
};

struct KnownCells {
  std::array<bool, kCellCount> known{};

  int Count(const SchemaEquation& e) const { return known[e.first] + known[e.second] + known[e.result]; }
  void Mark(const SchemaEquation& e) { known[e.first] = known[e.second] = known[e.result] = true; }
};

}  // namespace

// The equations are taken in a fixed order, so the plan, and with it every
// grid a given random state yields, depends on the operators alone. Products
// come first because a product seed or a product with a known result walks
// only divisor lists, far fewer candidates than a sum's.
GenPlan BuildPlan(const OpCodes& ops) {
  std::array<Record, kOperatorCount> r;
  for (int e = 0; e < kOperatorCount; ++e) r[e].equation = NormaliseEquation(e, ops[e]);

  // Not order-preserving for the sums; the exchange is what fixes the plan.
  int products = 0;
  for (int i = 0; i < kOperatorCount; ++i) {
    if (r[i].equation.form == EquationForm::Product) std::swap(r[i], r[products++]);
  }

  GenPlan plan{};
  KnownCells cells;
  plan.seed = r[0].equation;
  r[0].placed = true;
  cells.Mark(r[0].equation);

  int freeSteps = 0;
  int derivedSteps = 0;
  for (int i = 1; i < kOperatorCount && freeSteps < 2; ++i) {
    if (r[i].placed) continue;
    if (cells.Count(r[i].equation) == 0) {
      for (int j = i + 1; j < kOperatorCount; ++j) {
        if (cells.Count(r[j].equation) > 0) {
          std::swap(r[i], r[j]);
          break;
        }
      }
    }
    const SchemaEquation& e = r[i].equation;
    const int freeKind =
        static_cast<int>(e.form) + 2 * cells.known[e.first] + 4 * cells.known[e.second] + 8 * cells.known[e.result];
    plan.free[freeSteps++] = {static_cast<FreeKind>(freeKind), e.first, e.second, e.result};
    r[i].placed = true;
    cells.Mark(e);
    if (freeSteps < 2) continue;

    // Whatever has two known cells now follows without a choice; passes repeat
    // because each computed cell may complete another equation.
    for (bool placedAny = true; placedAny;) {
      placedAny = false;
      for (int j = i + 1; j < kOperatorCount && derivedSteps < 3; ++j) {
        const SchemaEquation& d = r[j].equation;
        if (r[j].placed || cells.Count(d) < 2) continue;
        int derivedKind = static_cast<int>(d.form);
        if (!cells.known[d.first]) derivedKind += 4;
        if (!cells.known[d.second]) derivedKind += 8;
        if (!cells.known[d.result]) derivedKind += 16;
        plan.derived[derivedSteps++] = {static_cast<DerivedKind>(derivedKind), d.first, d.second, d.result};
        r[j].placed = true;
        cells.Mark(d);
        placedAny = true;
      }
    }
  }
  return plan;
}

}  // namespace zifrel
