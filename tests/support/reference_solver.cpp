#include "tests/support/reference_solver.h"

#include <algorithm>
#include <map>

namespace zifrel::testing {
namespace {

struct Equation {
  int form;  // 0 product, 1 sum
  int a, b, r;
};

class Plain {
 public:
  Plain(const std::array<std::u32string, 9>& cells, const OpCodes& ops) : cells_(cells) {
    static const int kCells[6][3] = {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {0, 3, 6}, {1, 4, 7}, {2, 5, 8}};
    for (int e = 0; e < 6; ++e) {
      int a = kCells[e][0], b = kCells[e][1], r = kCells[e][2];
      if (ops[e] & 2) std::swap(a, r);
      eq_[e] = {ops[e] & 1, a, b, r};
    }
  }

  ReferenceResult Run() {
    for (const auto& cell : cells_) {
      if (cell.empty()) return {SolveOutcome::kIncomplete, {}, 0};
    }
    std::map<char32_t, int> number;
    const auto give = [&](char32_t c) {
      if (!number.count(c)) {
        const int n = static_cast<int>(number.size()) + 1;
        number[c] = n;
      }
    };
    for (int e : {0, 3, 1, 4, 2, 5}) {
      static const int kCells[6][3] = {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {0, 3, 6}, {1, 4, 7}, {2, 5, 8}};
      for (int cell : kCells[e]) give(cells_[cell].back());
    }
    for (int k = 0; k < 9; ++k) {
      for (char32_t c : cells_[k]) {
        give(c);
        sym_[k].push_back(number[c]);
      }
    }
    if (number.size() > 10) return {SolveOutcome::kTooManySymbols, {}, 0};
    bound_ = static_cast<int>(number.size()) + 1;
    for (int e = 0; e < 6; ++e) {
      unit_[e] = {eq_[e].form, sym_[eq_[e].a].back(), sym_[eq_[e].b].back(), sym_[eq_[e].r].back()};
      threshold_[e] = std::max({unit_[e].a, unit_[e].b, unit_[e].r});
    }
    Assign(1, 0x3FF);
    return result_;
  }

 private:
  bool Assign(int k, int free) {
    ++result_.nodes;
    if (k == bound_) return FullTest();
    for (int d = 0; d < 10; ++d) {
      if (!(free & (1 << d))) continue;
      digit_[k] = d;
      if (UnitTest(k) && Assign(k + 1, free & ~(1 << d))) return true;
    }
    return false;
  }

  bool UnitTest(int k) const {
    for (int e = 0; e < 6; ++e) {
      if (k < threshold_[e]) continue;
      const Equation& u = unit_[e];
      const int x = u.form == 0 ? digit_[u.a] * digit_[u.b] : digit_[u.a] + digit_[u.b];
      if (x % 10 != digit_[u.r]) return false;
    }
    return true;
  }

  int Value(int cell) const {
    int v = 0;
    for (int s : sym_[cell]) v = v * 10 + digit_[s];
    return v;
  }

  bool FullTest() {
    for (const Equation& e : eq_) {
      const int x = e.form == 0 ? Value(e.a) * Value(e.b) : Value(e.a) + Value(e.b);
      if (x != Value(e.r)) return false;
    }
    NumberGrid grid;
    for (int k = 0; k < 9; ++k) grid[k] = Value(k);
    result_.solutions.push_back(grid);
    return result_.solutions.size() == 10;
  }

  std::array<std::u32string, 9> cells_;
  Equation eq_[6];
  Equation unit_[6];
  int threshold_[6];
  std::vector<int> sym_[9];
  int digit_[12] = {};
  int bound_ = 0;
  ReferenceResult result_;
};

}  // namespace

ReferenceResult ReferenceSolve(const std::array<std::u32string, 9>& cells, const OpCodes& ops) {
  return Plain(cells, ops).Run();
}

}  // namespace zifrel::testing
