#include "parole/plain_lexicon.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <unordered_set>
#include <vector>

#include "core/utf8.h"

namespace zifrel::parole {
namespace {

// The classes of Debian's Italian dictionary (hunspell-it 5), by what they
// tell of a stem. Inflection: the plain plural and feminine endings of
// nouns and adjectives (gatto/o: gatti, gatta, gatte; zona/Q: zone).
constexpr std::u32string_view kInflection = U"OQRSonpu";
// Conjugation: the tenses of a verb, with or without pronouns, made from its
// infinitive (cantare/ALKhlI).
constexpr std::u32string_view kConjugation = U"ABCPVZ\u00c0ftzIKLhlMjv";
// Pronouns joined to a participle (avuto/E, preso/m) or a gerund
// (alberando/D), the elided pronouns that stand before a verb (m'ebbe:
// ebbe/X) and the prefix "ri" of verbs (andavano/J, riandavano): a stem
// with one of them is a verb form.
constexpr std::u32string_view kVerbMarks = U"EDXmJ";

// Closed classes that read as grammar rather than as words: pronouns,
// possessives, determiners and quantifiers, a few interjections. Their
// plurals and feminines go with them (talune).
constexpr std::string_view kFunctionWords[] = {
    "ahi",
    "alcuno",
    "alla",
    "alquanto",
    "altrettanto",
    "altro",
    "ambo",
    "ciascuno",
    "codesto",
    "cotale",
    "ehi",
    "mai",
    "medesimo",
    "mio",
    "molto",
    "nessuno",
    "niente",
    "nostro",
    "nulla",
    "ogni",
    "ognuno",
    "ohi",
    "parecchio",
    "poco",
    "qualcuno",
    "quale",
    "quanto",
    "quello",
    "questo",
    "qui",
    "siffatto",
    "stesso",
    "suo",
    "tale",
    "taluno",
    "tanto",
    "troppo",
    "tuo",
    "tutto",
    "uno",
    "veruno",
    "vostro",
    "ella",
    "essa",
    "esso",
    // Prepositions with an article, where the dictionary has a homonym.
    "agli",
    "alle",
    "allo",
    "dagli",
    "dalla",
    "dalle",
    "dallo",
    "degli",
    "della",
    "delle",
    "dello",
    "negli",
    "nella",
    "nelle",
    "nello",
    "sugli",
    "sulla",
    "sulle",
    "sullo",
};
// Forms of "essere" and "uscire" that the dictionary lists as nouns.
constexpr std::string_view kListedVerbForms[] = {"esce", "sia"};

// Words a puzzle page leaves out: coarse, offensive or loaded.
constexpr std::string_view kUnfitWords[] = {
    "ano",   "cazzo",   "coglione", "culo",  "duce",    "fica",    "figa",  "frocio",
    "merda", "minchia", "mignotta", "negro", "puttana", "stronzo", "troia", "zoccola",
};

// Where a reason stands when one spelling has several entries: a word kept
// by any entry is kept ("porta", a noun, is also a form of "portare").
int Strength(WordReason reason) {
  switch (reason) {
    case WordReason::kFunctionWord:
    case WordReason::kUnfit:
      return 9;
    case WordReason::kNoun:
      return 8;
    case WordReason::kInfinitive:
      return 7;
    case WordReason::kPluralOrFeminine:
      return 6;
    case WordReason::kVerbForm:
      return 5;
    case WordReason::kUninflected:
      return 4;
    case WordReason::kProperNoun:
      return 3;
    case WordReason::kNotBaseForm:
      break;
  }
  return 0;
}

// A suffix rule: the stem's ending `strip` becomes `add` when the stem ends
// as `condition` says, one element a character ("o") or a set ("[^igc]").
struct SuffixRule {
  std::u32string strip;
  std::u32string add;
  std::vector<std::pair<std::u32string, bool>> condition;  // characters, and whether they are excluded
};

std::vector<std::pair<std::u32string, bool>> ParseCondition(std::u32string_view text) {
  std::vector<std::pair<std::u32string, bool>> elements;
  if (text == U".") return elements;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != U'[') {
      elements.push_back({std::u32string(1, text[i]), false});
      continue;
    }
    const std::size_t close = text.find(U']', i);
    if (close == std::u32string_view::npos) return {{U"", false}};  // never matches
    const bool excluded = i + 1 < close && text[i + 1] == U'^';
    elements.push_back({std::u32string(text.substr(i + 1 + excluded, close - i - 1 - excluded)), excluded});
    i = close;
  }
  return elements;
}

bool Applies(const SuffixRule& rule, std::u32string_view stem) {
  if (!stem.ends_with(rule.strip) || stem.size() < rule.condition.size()) return false;
  const std::size_t start = stem.size() - rule.condition.size();
  for (std::size_t k = 0; k < rule.condition.size(); ++k) {
    const auto& [chars, excluded] = rule.condition[k];
    if ((chars.find(stem[start + k]) != std::u32string::npos) == excluded) return false;
  }
  return true;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (pos < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t\r", pos);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
    fields.push_back(line.substr(start, end - start));
    pos = end;
  }
  return fields;
}

bool HasAny(std::u32string_view flags, std::u32string_view of) {
  return std::any_of(flags.begin(), flags.end(), [&](char32_t f) { return of.find(f) != std::u32string_view::npos; });
}

bool IsInfinitive(std::string_view word) {
  return word.ends_with("are") || word.ends_with("ere") || word.ends_with("ire") || word.ends_with("rre");
}

// The feminine of a function word may be listed on its own ("altra").
bool IsFunctionWord(std::string_view word) {
  const auto listed = [](std::string_view w) {
    return std::find(std::begin(kFunctionWords), std::end(kFunctionWords), w) != std::end(kFunctionWords);
  };
  return listed(word) || (word.ends_with('a') && listed(std::string(word.substr(0, word.size() - 1)) + 'o'));
}
bool IsUnfit(std::string_view word) {
  return std::find(std::begin(kUnfitWords), std::end(kUnfitWords), word) != std::end(kUnfitWords);
}

}  // namespace

PlainLexicon PlainLexicon::Read(std::istream& affixes, std::istream& stems) {
  std::unordered_map<char32_t, std::vector<SuffixRule>> rules;
  for (std::string line; std::getline(affixes, line);) {
    const std::vector<std::string_view> f = Fields(line);
    // "SFX O o i [^igc]o": a rule; "SFX O N 3" opens the class.
    if (f.size() < 5 || f[0] != "SFX") continue;
    const std::u32string flag = DecodeUtf8(f[1]);
    if (flag.size() != 1 || kInflection.find(flag[0]) == std::u32string_view::npos) continue;
    SuffixRule rule;
    if (f[2] != "0") rule.strip = DecodeUtf8(f[2]);
    const std::string_view add = f[3].substr(0, f[3].find('/'));
    if (add != "0") rule.add = DecodeUtf8(add);
    rule.condition = ParseCondition(DecodeUtf8(f[4]));
    rules[flag[0]].push_back(std::move(rule));
  }

  PlainLexicon lexicon;
  lexicon.reasons_.reserve(1 << 17);
  // Only words a list may hold are kept: of 3 to kMaxWordLength letters.
  const auto note = [&](const std::string& folded, WordReason reason) {
    if (folded.size() < 3 || folded.size() > static_cast<std::size_t>(kMaxWordLength)) return;
    const auto [at, inserted] = lexicon.reasons_.try_emplace(folded, reason);
    if (!inserted && Strength(reason) > Strength(at->second)) at->second = reason;
  };
  // All entries first, as views of the whole text: whether an entry is a
  // verb form may depend on another.
  const std::string text{std::istreambuf_iterator<char>(stems), std::istreambuf_iterator<char>()};
  struct Entry {
    std::string_view stem;
    std::u32string flags;
  };
  std::vector<Entry> entries;
  entries.reserve(1 << 17);  // Debian's dictionary lists about 95,000
  std::unordered_set<std::string_view> uninflectedPlurals;
  for (std::size_t at = text.find('\n'); at != std::string::npos && at + 1 < text.size();) {
    const std::size_t next = text.find('\n', at + 1);
    const std::string_view line(text.data() + at + 1, (next == std::string::npos ? text.size() : next) - at - 1);
    at = next;
    const std::size_t end = line.find_first_of(" \t\r");
    const std::string_view entry = line.substr(0, end);
    const std::size_t slash = entry.find('/');
    if (entry.empty() || slash == 0) continue;
    Entry e{entry.substr(0, slash), slash == std::string_view::npos ? U"" : DecodeUtf8(entry.substr(slash + 1))};
    if (e.stem.ends_with("ero") && !HasAny(e.flags, kInflection)) uninflectedPlurals.insert(e.stem);
    entries.push_back(std::move(e));
  }
  // "cadde", "scrisse", "leggesse" come with the plural ending "i" of a noun
  // in "e" (for "caddi", "scrissi"); the third person plural that the
  // dictionary lists beside them ("caddero") tells them from a noun.
  std::string plural;
  const auto pastTense = [&](std::string_view stem) {
    if (!stem.ends_with('e')) return false;
    plural.assign(stem).append("ro");
    return uninflectedPlurals.contains(plural);
  };

  for (bool dropped; const Entry& e : entries) {
    const std::string_view stem = e.stem;
    const std::u32string& flags = e.flags;
    if (stem.size() < 3 || stem.size() > 2 * static_cast<std::size_t>(kMaxWordLength)) continue;
    if (stem[0] >= 'A' && stem[0] <= 'Z') {
      std::string lower(stem);
      lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
      note(FoldWord(lower, dropped), WordReason::kProperNoun);
      continue;
    }
    const std::string folded = FoldWord(stem, dropped);
    if (folded.empty()) continue;  // an apostrophe, a dot, a digit
    const bool grammar = IsFunctionWord(folded), unfit = IsUnfit(folded);
    const WordReason forced = grammar ? WordReason::kFunctionWord : WordReason::kUnfit;
    if (HasAny(flags, kConjugation) && IsInfinitive(folded)) {
      note(folded, unfit ? forced : WordReason::kInfinitive);
    } else if (HasAny(flags, kVerbMarks) || HasAny(flags, kConjugation) || pastTense(e.stem) ||
               std::ranges::find(kListedVerbForms, folded) != std::end(kListedVerbForms)) {
      note(folded, WordReason::kVerbForm);
    } else if (HasAny(flags, kInflection)) {
      note(folded, grammar || unfit ? forced : WordReason::kNoun);
      const std::u32string wide = DecodeUtf8(stem);
      for (const char32_t flag : flags) {
        const auto found = rules.find(flag);
        if (found == rules.end()) continue;
        for (const SuffixRule& rule : found->second) {
          if (!Applies(rule, wide)) continue;
          std::u32string form = wide.substr(0, wide.size() - rule.strip.size()) + rule.add;
          note(FoldWord(EncodeUtf8(form), dropped), grammar || unfit ? forced : WordReason::kPluralOrFeminine);
        }
      }
    } else {
      note(folded, grammar || unfit ? forced : WordReason::kUninflected);
    }
  }
  // A plural made for another word may spell a function word ("ohi").
  for (const std::string_view word : kFunctionWords) {
    if (const auto found = lexicon.reasons_.find(std::string(word)); found != lexicon.reasons_.end()) {
      found->second = WordReason::kFunctionWord;
    }
  }
  return lexicon;
}

WordReason PlainLexicon::Judge(std::string_view folded) const {
  const auto found = reasons_.find(folded);
  return found == reasons_.end() ? WordReason::kNotBaseForm : found->second;
}

WordList KeepPlainWords(const WordList& list, const PlainLexicon& lexicon) {
  std::vector<ListWord> kept;
  for (const ListWord& word : list.Words()) {
    const WordReason reason = lexicon.Judge(word.text);
    if (!IsKept(reason)) continue;
    kept.push_back({word.text, reason == WordReason::kPluralOrFeminine ? WordTier::kInflected : word.tier});
  }
  std::ranges::stable_sort(kept, {}, [](const ListWord& w) { return static_cast<int>(w.tier); });
  return WordList::FromRanked(std::move(kept));
}

WordList WithInstalledLexicon(WordList list) {
  std::ifstream affixes{std::string(kItalianAffixes), std::ios::binary};
  std::ifstream stems{std::string(kItalianStems), std::ios::binary};
  if (!affixes || !stems) return list;
  const PlainLexicon lexicon = PlainLexicon::Read(affixes, stems);
  return lexicon.Empty() ? list : KeepPlainWords(list, lexicon);
}

WordList ReadPlainItalianWords() {
  std::ifstream in{std::string(kItalianWordList), std::ios::binary};
  return in ? WithInstalledLexicon(WordList::Read(in)) : WordList();
}

}  // namespace zifrel::parole
