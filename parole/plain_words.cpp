#include "parole/plain_words.h"

#include <array>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace zifrel::parole {
namespace {

struct Conjugation {
  std::string_view infinitive;  // the ending that makes the stem an infinitive
  std::span<const std::string_view> endings;
};

// The endings of the verb forms a puzzle reader meets rarely, or that read
// as verbs: every person of the present, plural persons, the imperfect, the
// past, the future, the conditional, the subjunctive and the gerund. The
// participles are left out, as "gelato" and "stato" are nouns too; nouns
// that are also present forms ("canto", "gioco") are the price of a list
// without frequencies.
constexpr std::string_view kAreEndings[] = {
    "o",     "i",      "a",      "ino",    "iamo",   "ate",      "ano",  "avo",  "avi",  "ava",    "avamo",  "avate",
    "avano", "ai",     "asti",   "ammo",   "aste",   "arono",    "ero",  "erai", "era",  "eremo",  "erete",  "eranno",
    "erei",  "eresti", "erebbe", "eremmo", "ereste", "erebbero", "iate", "assi", "asse", "assimo", "assero", "ando"};
constexpr std::string_view kEreEndings[] = {
    "o",     "i",     "e",     "a",      "iamo",   "ete",    "ono",    "evo",    "evi",    "eva",
    "evamo", "evate", "evano", "ei",     "esti",   "emmo",   "este",   "erono",  "ero",    "erai",
    "era",   "eremo", "erete", "eranno", "erei",   "eresti", "erebbe", "eremmo", "ereste", "erebbero",
    "ano",   "iate",  "essi",  "esse",   "essimo", "essero", "endo"};
constexpr std::string_view kIreEndings[] = {
    "o",     "i",      "e",      "a",      "iamo",   "ite",    "ono",    "ivo",      "ivi",  "iva",  "ivamo",
    "ivate", "ivano",  "ii",     "isti",   "immo",   "iste",   "irono",  "iro",      "irai", "ira",  "iremo",
    "irete", "iranno", "irei",   "iresti", "irebbe", "iremmo", "ireste", "irebbero", "ano",  "iate", "issi",
    "isse",  "issimo", "issero", "endo",   "isco",   "isci",   "isce",   "iscono"};
constexpr std::array<Conjugation, 3> kConjugations = {{
    {"are", kAreEndings},
    {"ere", kEreEndings},
    {"ire", kIreEndings},
}};

// Endings that only verbs have, whatever the list holds: the conditional
// and the future of irregular stems ("direbbe", "avrei", "vorranno"), and
// plural persons of the past.
constexpr std::string_view kVerbOnlyEndings[] = {"rei",  "rai",  "rebbe", "rebbero", "remmo", "rranno",
                                                 "vamo", "vate", "ssero", "arono",   "erono"};

// Pronouns joined to an infinitive that has lost its final "e", alone
// ("cantarla") or in pairs ("cantargliela", "farsene").
constexpr std::string_view kPronouns[] = {"mi", "ti", "si", "ci", "vi", "lo", "la", "le", "li", "ne", "gli"};
constexpr std::string_view kFirstOfPair[] = {"me", "te", "se", "ce", "ve", "glie"};
constexpr std::string_view kSecondOfPair[] = {"lo", "la", "li", "le", "ne"};

// A one-letter stem would take "mare" for the infinitive of "mano" and
// "sere" for that of "sera".
constexpr std::size_t kMinStem = 2;

// What an ending of the tables may be, a bit each: bit c an ending of
// kConjugations[c], then these two.
constexpr unsigned kVerbOnly = 1u << 3;
constexpr unsigned kPronoun = 1u << 4;
constexpr std::size_t kLongestEnding = 8;  // "erebbero"

bool IsInfinitive(std::string_view word) {
  return word.ends_with("are") || word.ends_with("ere") || word.ends_with("ire") || word.ends_with("rre");
}

}  // namespace

std::vector<bool> LooksLikeVerbForms(std::span<const std::string> words) {
  std::unordered_map<std::string_view, std::size_t> position;
  std::unordered_set<std::string_view> infinitives;  // a smaller table, for the lookups of most words
  position.reserve(words.size());
  for (std::size_t i = 0; i < words.size(); ++i) {
    position.emplace(words[i], i);
    if (IsInfinitive(words[i])) infinitives.insert(words[i]);
  }
  // Every ending once, so that a word looks up its few last letters instead
  // of comparing its end with every ending.
  std::vector<std::string> pairs;
  for (const std::string_view first : kFirstOfPair) {
    for (const std::string_view second : kSecondOfPair) pairs.push_back(std::string(first).append(second));
  }
  std::unordered_map<std::string_view, unsigned> endings;
  for (std::size_t c = 0; c < std::size(kConjugations); ++c) {
    for (const std::string_view ending : kConjugations[c].endings) endings[ending] |= 1u << c;
  }
  for (const std::string_view ending : kVerbOnlyEndings) endings[ending] |= kVerbOnly;
  for (const std::string_view pronoun : kPronouns) endings[pronoun] |= kPronoun;
  for (const std::string& pronoun : pairs) endings[pronoun] |= kPronoun;

  std::string candidate;
  const auto listed = [&](std::string_view stem, std::string_view ending) {
    candidate.assign(stem);
    candidate.append(ending);
    return position.contains(candidate);
  };
  const auto infinitive = [&](std::string_view stem, std::string_view ending) {
    candidate.assign(stem);
    candidate.append(ending);
    return infinitives.contains(candidate);
  };
  const auto verbForm = [&](std::string_view stem, std::string_view ending, unsigned kinds) {
    for (std::size_t c = 0; c < std::size(kConjugations); ++c) {
      if ((kinds >> c & 1u) == 0 || !infinitive(stem, kConjugations[c].infinitive)) continue;
      // The present of a verb in -are has no form in -e: "porta" beside
      // "porte" (or "pesca" beside "pesche") is a noun.
      const bool feminineNoun = ending == "a" && (listed(stem, "e") || listed(stem, "he"));
      if (kConjugations[c].infinitive != "are" || !feminineNoun) return true;
    }
    if (kinds & kVerbOnly) return true;
    // "cantarla": "cantar" + "la", beside "cantare"; "trarle" beside "trarre".
    return (kinds & kPronoun) != 0 && stem.size() > kMinStem &&
           (infinitive(stem, "e") || (stem.ends_with('r') && infinitive(stem, "re")));
  };

  std::vector<bool> marked(words.size(), false);
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view word = words[i];
    // A stem ending in "i" merges with the ending "i": "associ", "mangi".
    bool found = word.ends_with('i') && infinitive(word, "are");
    for (std::size_t k = 1; !found && k <= kLongestEnding && k + kMinStem <= word.size(); ++k) {
      const auto ending = endings.find(word.substr(word.size() - k));
      found = ending != endings.end() && verbForm(word.substr(0, word.size() - k), ending->first, ending->second);
    }
    marked[i] = found;
  }
  // A verb form with a pronoun is one too: "mettici", "leggila".
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view word = words[i];
    for (std::size_t k = 2; !marked[i] && k <= kLongestEnding && k + 3 <= word.size(); ++k) {
      const auto ending = endings.find(word.substr(word.size() - k));
      if (ending == endings.end() || (ending->second & kPronoun) == 0) continue;
      const auto base = position.find(word.substr(0, word.size() - k));
      marked[i] = base != position.end() && marked[base->second];
    }
  }
  return marked;
}

}  // namespace zifrel::parole
