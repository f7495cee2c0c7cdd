#include "libero/node_graph.h"

#include <array>
#include <limits>

#include "libero/evaluator.h"

namespace zifrel::libero {
namespace {

// A word being read: its constant part and the weight of each letter.
struct WordValue {
  Wide constant = 0;
  std::array<Wide, kMaxVariables + 1> weight{};

  // One more character: a letter's weight or a constant digit.
  void Append(std::int32_t w) {
    constant *= 10;
    for (Wide& x : weight) x *= 10;
    if (IsVariableWord(w)) {
      weight[w] += 1;
    } else {
      constant += InitialDigitValues()[w];
    }
  }

  // Its largest value, every letter 9, must fit in 64 bits; words grow by a
  // factor of 10 a character, so this also caps each weight.
  bool Fits() const {
    Wide reach = constant;
    for (const Wide w : weight) reach += 9 * w;
    return reach <= std::numeric_limits<std::int64_t>::max();
  }
};

}  // namespace

std::uint16_t NodeGraph::Intern(const Node& node, std::span<const Term> terms) {
  std::uint16_t* known = nullptr;
  if (node.kind == Kind::kWord) {
    std::vector<std::int64_t> key;
    for (const Term& t : terms) key.insert(key.end(), {t.variable, t.weight});
    known = &words_.try_emplace({node.constant, key}, nodes_.size()).first->second;
  } else {
    known = &operations_.try_emplace({node.kind, node.op, node.a, node.b}, nodes_.size()).first->second;
  }
  if (*known != nodes_.size()) return *known;
  Node added = node;
  if (node.kind == Kind::kWord) {
    added.a = static_cast<std::uint16_t>(terms_.size());
    added.b = static_cast<std::uint16_t>(terms.size());
    terms_.insert(terms_.end(), terms.begin(), terms.end());
  }
  nodes_.push_back(added);
  return *known;
}

bool NodeGraph::Add(const RelationCode& full, int relation) {
  // Checked first, added after: a relation the graph cannot hold leaves no
  // node behind.
  struct Operand {
    bool constant;
    std::int64_t value;
  };
  std::vector<Operand> operands;
  std::vector<WordValue> words;
  bool compared = false;
  for (int i = 0; i < full.length && !compared; ++i) {
    const std::int32_t w = full.words[i];
    if (w == kStartWord) {
      words.emplace_back();
      operands.push_back({true, 0});
    } else if (IsDigitWord(w)) {
      if (words.empty()) return false;
      WordValue& word = words.back();
      word.Append(w);
      if (IsVariableWord(w)) operands.back().constant = false;
      if (!word.Fits()) return false;
      operands.back().value = static_cast<std::int64_t>(word.constant);
    } else if (const std::int32_t op = OperatorOf(w); op >= 0) {
      if (operands.size() < 2) return false;
      const Operand b = operands.back();
      operands.pop_back();
      Operand& a = operands.back();
      if (IsComparison(op)) {
        if (a.constant && b.constant) return false;  // a relation with letters never gets here
        compared = true;
      } else if (a.constant && b.constant) {
        std::int64_t r = 0;
        if (Apply(op, a.value, b.value, r) != Outcome::kDone) return false;
        a.value = r;
      } else {
        a.constant = false;
      }
    }
  }
  if (!compared) return false;

  // The same walk again, adding the nodes.
  std::vector<std::uint16_t> stack;
  std::vector<Term> terms;
  WordValue word;
  const auto closeWord = [&] {
    terms.clear();
    Node node;
    node.constant = static_cast<std::int64_t>(word.constant);
    for (int v = 1; v <= kMaxVariables; ++v) {
      if (word.weight[v] == 0) continue;
      terms.push_back({v, static_cast<std::int64_t>(word.weight[v])});
      node.variables |= 1u << v;
    }
    stack.push_back(Intern(node, terms));
  };
  bool inWord = false;
  for (int i = 0; i < full.length; ++i) {
    const std::int32_t w = full.words[i];
    if (inWord && !IsDigitWord(w)) closeWord(), inWord = false;
    if (w == kStartWord) {
      word = {};
      inWord = true;
    } else if (IsDigitWord(w)) {
      word.Append(w);
    } else if (const std::int32_t op = OperatorOf(w); op >= 0) {
      const std::uint16_t b = stack.back();
      stack.pop_back();
      const std::uint16_t a = stack.back();
      const Node& left = nodes_[a];
      const Node& right = nodes_[b];
      Node node;
      node.op = static_cast<std::int8_t>(op);
      node.a = a;
      node.b = b;
      node.variables = left.variables | right.variables;
      if (IsComparison(op)) {
        node.kind = Kind::kComparison;
        node.relation = static_cast<std::int16_t>(relation);
        comparisons_.push_back(Intern(node, {}));
        return true;
      }
      if (node.variables == 0) {  // both constant words: folded, as checked above
        Node constant;
        Apply(op, left.constant, right.constant, constant.constant);
        stack.back() = Intern(constant, {});
        continue;
      }
      node.kind = Kind::kOperation;
      stack.back() = Intern(node, {});
    }
  }
  return false;  // not reached: the check above found the comparison
}

}  // namespace zifrel::libero
