#include "libero/plain_words.h"

#include <array>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace zifrel::libero {
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
  std::vector<std::string> pronouns(std::begin(kPronouns), std::end(kPronouns));
  for (const std::string_view first : kFirstOfPair) {
    for (const std::string_view second : kSecondOfPair) pronouns.push_back(std::string(first).append(second));
  }
  std::vector<bool> verbForm(words.size(), false);
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
  // The present of a verb in -are has no form in -e: "porta" beside
  // "porte" (or "pesca" beside "pesche") is a noun.
  const auto feminineNoun = [&](std::string_view stem, std::string_view ending) {
    return ending == "a" && (listed(stem, "e") || listed(stem, "he"));
  };
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view word = words[i];
    bool found = false;
    for (const Conjugation& conjugation : kConjugations) {
      for (const std::string_view ending : conjugation.endings) {
        if (word.size() < ending.size() + kMinStem || !word.ends_with(ending)) continue;
        const std::string_view stem = word.substr(0, word.size() - ending.size());
        if (infinitive(stem, conjugation.infinitive) &&
            !(conjugation.infinitive == "are" && feminineNoun(stem, ending))) {
          found = true;
          break;
        }
      }
      if (found) break;
    }
    // A stem ending in "i" merges with the ending "i": "associ", "mangi".
    found = found || (word.ends_with('i') && infinitive(word, "are"));
    for (const std::string_view ending : kVerbOnlyEndings) {
      found = found || (word.size() >= ending.size() + kMinStem && word.ends_with(ending));
    }
    // "cantarla": "cantar" + "la", beside "cantare".
    const auto withPronoun = [&](std::string_view pronoun) {
      if (word.size() <= pronoun.size() + kMinStem || !word.ends_with(pronoun)) return false;
      const std::string_view rest = word.substr(0, word.size() - pronoun.size());
      return infinitive(rest, "e") || (rest.ends_with('r') && infinitive(rest, "re"));  // "trarle": "trarre"
    };
    for (const std::string& pronoun : pronouns) found = found || withPronoun(pronoun);
    verbForm[i] = found;
  }
  // A verb form with a pronoun is one too: "mettici", "leggila".
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view word = words[i];
    for (const std::string& pronoun : pronouns) {
      if (verbForm[i] || word.size() < pronoun.size() + 3 || !word.ends_with(pronoun)) continue;
      const auto base = position.find(word.substr(0, word.size() - pronoun.size()));
      verbForm[i] = base != position.end() && verbForm[base->second];
    }
  }
  return verbForm;
}

}  // namespace zifrel::libero
