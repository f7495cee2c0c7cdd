#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <tuple>
#include <vector>

#include "libero/relation_code.h"

namespace zifrel::libero {

// The relations of a job as one graph: every distinct subexpression is one
// node, shared within a relation and across relations, and every operation
// on constants is folded. A search computes each node once, as soon as its
// letters have digits, and keeps its value for the whole subtree below.
class NodeGraph {
 public:
  enum class Kind : std::uint8_t { kWord, kOperation, kComparison };

  struct Node {
    Kind kind = Kind::kWord;
    Operator op = Operator::kPlus;  // an operation's or a comparison's operator
    std::uint16_t a = 0;            // operands; for a word, its first term
    std::uint16_t b = 0;            // for a word, its number of terms
    std::int64_t constant = 0;      // a word's constant part; a folded constant is a word without terms
    unsigned variables = 0;         // bit v: the node reads variable v
    std::int16_t relation = -1;     // a comparison: the relation it decides
  };
  // A word is its constant plus weight × digit of each of its letters.
  struct Term {
    std::int32_t variable;
    std::int64_t weight;
  };

  // Adds a relation's full code, ending in its comparison node. False, and
  // nothing added, when the graph cannot hold it: a word that may not fit in
  // 64 bits, or an operation on constants that fails or does not fit. Such a
  // relation is evaluated from its code instead.
  bool Add(const RelationCode& full, int relation);

  std::span<const Node> Nodes() const { return nodes_; }
  std::span<const Term> Terms() const { return terms_; }

 private:
  std::uint16_t Intern(const Node& node, std::span<const Term> terms);

  std::vector<Node> nodes_;
  std::vector<Term> terms_;
  std::map<std::tuple<Kind, int, int, int>, std::uint16_t> operations_;
  std::map<std::pair<std::int64_t, std::vector<std::int64_t>>, std::uint16_t> words_;
};

}  // namespace zifrel::libero
