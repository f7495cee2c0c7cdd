#include "libero/node_graph.h"

#include <array>
#include <limits>

#include "libero/code_walk.h"
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
    known =
        &operations_.try_emplace({node.kind, static_cast<int>(node.op), node.a, node.b}, nodes_.size()).first->second;
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

namespace {

// The relation's nodes as the walk finds them, kept aside: a relation the
// graph cannot hold leaves no node behind. A value is the index of its node
// in `found`.
struct GraphMeaning {
  using Value = int;
  struct Found {
    NodeGraph::Node node;
    WordValue word;  // a word's letters and constant, or a folded constant
    bool constant = true;
  };
  std::vector<Found> found;

  int Start() {
    found.emplace_back();
    return static_cast<int>(found.size()) - 1;
  }
  bool Append(int& index, std::int32_t w) {
    Found& f = found[index];
    f.word.Append(w);
    if (IsVariableWord(w)) f.constant = false;
    return f.word.Fits();
  }
  bool Operate(Operator op, bool, int& a, const int& b) {
    Found f;
    if (found[a].constant && found[b].constant) {
      std::int64_t r = 0;
      if (Apply(op, static_cast<std::int64_t>(found[a].word.constant),
                static_cast<std::int64_t>(found[b].word.constant), r) != Outcome::kDone) {
        return false;
      }
      f.word.constant = r;
    } else {
      f = {{NodeGraph::Kind::kOperation, op, static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b)}, {}, false};
    }
    found.push_back(f);
    a = static_cast<int>(found.size()) - 1;
    return true;
  }
  void Compare(Operator op, const int& a, const int& b) {
    // A relation with letters never compares two constants.
    if (found[a].constant && found[b].constant) return;
    found.push_back(
        {{NodeGraph::Kind::kComparison, op, static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b)}, {}, false});
  }
};

}  // namespace

bool NodeGraph::Add(const RelationCode& full, int relation) {
  GraphMeaning meaning;
  if (WalkCode(full, meaning) != WalkEnd::kCompared || meaning.found.back().node.kind != Kind::kComparison) {
    return false;
  }
  // The nodes found, in the walk's order, each operand before its use.
  std::vector<std::uint16_t> id(meaning.found.size());
  std::vector<Term> terms;
  for (std::size_t i = 0; i < meaning.found.size(); ++i) {
    Node node = meaning.found[i].node;
    terms.clear();
    if (node.kind == Kind::kWord) {
      const WordValue& word = meaning.found[i].word;
      node.constant = static_cast<std::int64_t>(word.constant);
      for (int v = 1; v <= kMaxVariables; ++v) {
        if (word.weight[v] == 0) continue;
        terms.push_back({v, static_cast<std::int64_t>(word.weight[v])});
        node.variables |= 1u << v;
      }
    } else {
      node.a = id[node.a];
      node.b = id[node.b];
      node.variables = nodes_[node.a].variables | nodes_[node.b].variables;
      if (node.kind == Kind::kComparison) node.relation = static_cast<std::int16_t>(relation);
    }
    id[i] = Intern(node, terms);
  }
  return true;
}

}  // namespace zifrel::libero
