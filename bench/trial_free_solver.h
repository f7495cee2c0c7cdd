#pragma once

// The small trial-free solver the levels are measured against: single
// candidates, the last digits (the last k digits when at most two letters
// in them are open), and sizes with one letter fixed. It shares nothing with
// the deduction but the Schema model, so that it is a yardstick, not a copy.
#include <array>
#include <bit>
#include <string>

#include "schema/cell_texts.h"
#include "schema/equations.h"

namespace zifrel {

class TrialFreeSolver {
 public:
  // True when these techniques alone leave every letter one digit.
  bool Solves(const std::array<std::string, kCellCount>& cells, const OpCodes& ops) {
    cells_ = cells;
    letters_.clear();
    for (const std::string& cell : cells) {
      for (char c : cell) {
        if (letters_.find(c) == std::string::npos) letters_ += c;
      }
    }
    masks_.fill(0x3FF);
    for (const std::string& cell : cells) {
      if (cell.size() > 1) masks_[Letter(cell[0])] &= ~1u;
    }
    for (int e = 0; e < kOperatorCount; ++e) equations_[e] = NormaliseEquation(e, ops[e]);
    for (bool changed = true; changed;) {
      changed = Singles();
      for (int e = 0; e < kOperatorCount; ++e) changed |= LastDigits(e) | Sizes(e);
    }
    for (std::size_t l = 0; l < letters_.size(); ++l) {
      if (std::popcount(masks_[l]) != 1) return false;
    }
    return true;
  }

 private:
  int Letter(char c) const { return static_cast<int>(letters_.find(c)); }
  bool Open(int l) const { return std::popcount(masks_[l]) > 1; }

  bool Remove(int l, unsigned digits) {
    if ((masks_[l] & digits) == 0 || (masks_[l] & ~digits) == 0) return false;
    masks_[l] &= ~digits;
    return true;
  }

  // A letter with one digit takes it from the others; with ten letters, a
  // digit only one letter may have is that letter's.
  bool Singles() {
    bool changed = false;
    const int n = static_cast<int>(letters_.size());
    for (int l = 0; l < n; ++l) {
      if (Open(l)) continue;
      for (int m = 0; m < n; ++m) {
        if (m != l) changed |= Remove(m, masks_[l]);
      }
    }
    if (n == 10) {
      for (int d = 0; d < 10; ++d) {
        int holder = -1, holders = 0;
        for (int l = 0; l < n; ++l) {
          if (masks_[l] & (1u << d)) holder = l, ++holders;
        }
        if (holders == 1) changed |= Remove(holder, ~(1u << d) & 0x3FFu);
      }
    }
    return changed;
  }

  long Value(const std::string& cell, const std::array<int, 10>& digit, std::size_t last) const {
    long v = 0;
    for (std::size_t i = cell.size() > last ? cell.size() - last : 0; i < cell.size(); ++i) {
      v = v * 10 + digit[Letter(cell[i])];
    }
    return v;
  }

  // Every assignment of the letters of the last k columns: the digits each
  // keeps in some assignment whose last k digits hold.
  bool LastDigits(int e) {
    const SchemaEquation& q = equations_[e];
    const std::string* c[3] = {&cells_[q.first], &cells_[q.second], &cells_[q.result]};
    bool changed = false;
    for (std::size_t k = 1; k <= c[2]->size(); ++k) {
      std::string letters;
      for (const std::string* cell : c) {
        for (std::size_t i = cell->size() > k ? cell->size() - k : 0; i < cell->size(); ++i) {
          if (letters.find((*cell)[i]) == std::string::npos) letters += (*cell)[i];
        }
      }
      int open = 0;
      for (char l : letters) open += Open(Letter(l));
      if (k > 1 && open > 2) continue;
      std::array<unsigned, 10> seen{};
      std::array<int, 10> digit{};
      const long modulus = k == 1 ? 10 : k == 2 ? 100 : k == 3 ? 1000 : 10000;
      const auto check = [&](auto&& self, std::size_t i, unsigned used) -> void {
        if (i == letters.size()) {
          const long a = Value(*c[0], digit, k), b = Value(*c[1], digit, k), r = Value(*c[2], digit, k);
          const long made = q.form == EquationForm::Sum ? a + b : a * b;
          if (made % modulus != r % modulus) return;
          for (std::size_t j = 0; j < letters.size(); ++j) seen[j] |= 1u << digit[Letter(letters[j])];
          return;
        }
        const int l = Letter(letters[i]);
        for (int d = 0; d < 10; ++d) {
          if (!(masks_[l] & (1u << d)) || (used & (1u << d))) continue;
          digit[l] = d;
          self(self, i + 1, used | (1u << d));
        }
      };
      check(check, 0, 0);
      for (std::size_t j = 0; j < letters.size(); ++j) changed |= Remove(Letter(letters[j]), ~seen[j] & 0x3FFu);
    }
    return changed;
  }

  // One letter at each of its digits: the smallest and largest values the
  // other letters allow must leave the two sides able to meet.
  bool Sizes(int e) {
    const SchemaEquation& q = equations_[e];
    const std::string* c[3] = {&cells_[q.first], &cells_[q.second], &cells_[q.result]};
    bool changed = false;
    for (std::size_t l = 0; l < letters_.size(); ++l) {
      if (!Open(static_cast<int>(l))) continue;
      bool inEquation = false;
      for (const std::string* cell : c) inEquation |= cell->find(letters_[l]) != std::string::npos;
      if (!inEquation) continue;
      unsigned impossible = 0;
      for (int d = 0; d < 10; ++d) {
        if (!(masks_[l] & (1u << d))) continue;
        std::array<long, 3> low{}, high{};
        for (int i = 0; i < 3; ++i) {
          for (char ch : *c[i]) {
            const int m = Letter(ch);
            const bool fixed = m == static_cast<int>(l);
            low[i] = low[i] * 10 + (fixed ? d : std::countr_zero(masks_[m]));
            high[i] = high[i] * 10 + (fixed ? d : 31 - std::countl_zero(masks_[m]));
          }
        }
        const long lowMade = q.form == EquationForm::Sum ? low[0] + low[1] : low[0] * low[1];
        const long highMade = q.form == EquationForm::Sum ? high[0] + high[1] : high[0] * high[1];
        if (lowMade > high[2] || highMade < low[2]) impossible |= 1u << d;
      }
      changed |= Remove(static_cast<int>(l), impossible);
    }
    return changed;
  }

  std::array<std::string, kCellCount> cells_;
  std::string letters_;
  std::array<unsigned, 10> masks_{};
  std::array<SchemaEquation, kOperatorCount> equations_{};
};

}  // namespace zifrel
