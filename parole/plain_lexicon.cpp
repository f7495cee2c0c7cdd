#include "parole/plain_lexicon.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>
#include <unordered_map>
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
    "proprio",
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
    // Plurals that read as a conjunction: "anche" (hips).
    "anche",
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
    "ano",     "cacca",    "cazzo", "coglione", "culo",    "duce",      "fica",    "figa",  "frocio", "merda",
    "minchia", "mignotta", "negro", "piscia",   "puttana", "scoreggia", "stronzo", "tetta", "troia",  "zoccola"};

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
    case WordReason::kRare:
      return 2;
    case WordReason::kNotBaseForm:
      break;
  }
  return 0;
}

// A suffix rule: the stem's ending `strip` becomes `add` when the stem ends
// as `condition` says, one element a character ("o") or a set ("[^igc]").
struct SuffixRule {
  std::string strip;  // UTF-8, as the stems
  std::string add;
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

// The stem's characters from the end, as many as a condition looks at.
struct Ending {
  std::array<char32_t, 8> chars{};  // the last character first
  std::size_t count = 0;
};
Ending EndingOf(std::string_view stem) {
  Ending ending;
  std::size_t end = stem.size();
  while (end > 0 && ending.count < ending.chars.size()) {
    std::size_t start = end - 1;
    while (start > 0 && (static_cast<unsigned char>(stem[start]) & 0xC0) == 0x80) --start;
    std::size_t at = start;
    ending.chars[ending.count++] = NextCodePoint(stem, at);
    end = start;
  }
  return ending;
}

bool Applies(const SuffixRule& rule, std::string_view stem, const Ending& ending) {
  const std::size_t n = rule.condition.size();
  if (!stem.ends_with(rule.strip) || n > ending.count) return false;
  for (std::size_t k = 0; k < n; ++k) {
    const auto& [chars, excluded] = rule.condition[n - 1 - k];
    if ((chars.find(ending.chars[k]) != std::u32string::npos) == excluded) return false;
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

// What a stem's classes say of it, a bit each.
enum ClassBits : unsigned { kInflects = 1, kConjugates = 2, kVerbFormMark = 4 };

unsigned ClassesOf(std::string_view flags) {
  unsigned bits = 0;
  for (std::size_t at = 0; at < flags.size();) {
    const char32_t f = NextCodePoint(flags, at);
    if (kInflection.find(f) != std::u32string_view::npos) bits |= kInflects;
    if (kConjugation.find(f) != std::u32string_view::npos) bits |= kConjugates;
    if (kVerbMarks.find(f) != std::u32string_view::npos) bits |= kVerbFormMark;
  }
  return bits;
}

// FNV-1a: quick on short words.
std::uint32_t WordHash(std::string_view word) {
  std::uint32_t h = 2166136261u;
  for (const char c : word) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h;
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

PlainLexicon PlainLexicon::Read(std::istream& affixes, std::istream& stems, std::istream* thesaurusIndex,
                                const WordList* only) {
  PlainLexicon lexicon;
  if (only != nullptr) {
    for (const ListWord& word : only->Words()) lexicon.Insert(word.text);
  }
  // "Belzebù|281231": a headword and where its entry starts, after two lines
  // (the encoding and the count). Only single words in lower case.
  PlainLexicon known;  // as a set of words
  if (thesaurusIndex != nullptr) {
    std::string line;
    for (int header = 0; header < 2 && std::getline(*thesaurusIndex, line); ++header) {
    }
    for (bool dropped; std::getline(*thesaurusIndex, line);) {
      std::string word = FoldWord(line.substr(0, line.find('|')), dropped);
      if (!word.empty()) known.Insert(word);
    }
  }
  // A base form the thesaurus does not know is rare, and so are its forms.
  const auto rare = [&](const std::string& folded) { return thesaurusIndex != nullptr && known.Find(folded) < 0; };

  std::unordered_map<char32_t, std::vector<SuffixRule>> rules;
  for (std::string line; std::getline(affixes, line);) {
    const std::vector<std::string_view> f = Fields(line);
    // "SFX O o i [^igc]o": a rule; "SFX O N 3" opens the class.
    if (f.size() < 5 || f[0] != "SFX") continue;
    const std::u32string flag = DecodeUtf8(f[1]);
    if (flag.size() != 1 || kInflection.find(flag[0]) == std::u32string_view::npos) continue;
    SuffixRule rule;
    if (f[2] != "0") rule.strip = f[2];
    const std::string_view add = f[3].substr(0, f[3].find('/'));
    if (add != "0") rule.add = add;
    rule.condition = ParseCondition(DecodeUtf8(f[4]));
    rules[flag[0]].push_back(std::move(rule));
  }

  // Only words a list may hold are kept: of 3 to kMaxWordLength letters.
  const auto note = [&](const std::string& folded, WordReason reason) {
    lexicon.Note(folded, reason, only != nullptr);
  };
  // All entries first, as views of the whole text: whether an entry is a
  // verb form may depend on another.
  std::ostringstream whole;
  whole << stems.rdbuf();
  const std::string text = std::move(whole).str();
  struct Entry {
    std::string_view stem;
    std::string_view flags;
    unsigned classes;
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
    const std::string_view flags = slash == std::string_view::npos ? std::string_view() : entry.substr(slash + 1);
    const Entry e{entry.substr(0, slash), flags, ClassesOf(flags)};
    if (e.stem.ends_with("ero") && (e.classes & kInflects) == 0) uninflectedPlurals.insert(e.stem);
    entries.push_back(e);
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
    if ((e.classes & kConjugates) && IsInfinitive(folded)) {
      note(folded, unfit ? forced : rare(folded) ? WordReason::kRare : WordReason::kInfinitive);
    } else if ((e.classes & (kVerbFormMark | kConjugates)) || pastTense(e.stem) ||
               std::ranges::find(kListedVerbForms, folded) != std::end(kListedVerbForms)) {
      note(folded, WordReason::kVerbForm);
    } else if (e.classes & kInflects) {
      const bool uncommon = rare(folded);
      note(folded, grammar || unfit ? forced : uncommon ? WordReason::kRare : WordReason::kNoun);
      const Ending ending = EndingOf(stem);
      std::string form;
      for (std::size_t at = 0; at < e.flags.size();) {
        const auto found = rules.find(NextCodePoint(e.flags, at));
        if (found == rules.end()) continue;
        for (const SuffixRule& rule : found->second) {
          if (!Applies(rule, stem, ending)) continue;
          form.assign(stem.substr(0, stem.size() - rule.strip.size())).append(rule.add);
          note(FoldWord(form, dropped), grammar || unfit ? forced
                                        : uncommon       ? WordReason::kRare
                                                         : WordReason::kPluralOrFeminine);
        }
      }
    } else {
      note(folded, grammar || unfit ? forced : WordReason::kUninflected);
    }
  }
  // Nouns the dictionary makes only as forms of a verb: "albero" of
  // "alberare", "porta" of "portare". Not the pronominal verbs the thesaurus
  // lists ("arrabbiarsi"): an infinitive with a pronoun.
  for (const std::string& word : known.words_) {
    const bool pronominal = word.ends_with("rsi") && IsInfinitive(word.substr(0, word.size() - 2) + 'e');
    if (!pronominal && word.size() >= 3 && word.size() <= static_cast<std::size_t>(kMaxWordLength) &&
        (only == nullptr || lexicon.Find(word) >= 0)) {
      const std::int32_t at = lexicon.Insert(word);
      // A headword is a base form even where the dictionary makes it from
      // another word ("casa", the feminine of "caso").
      const WordReason was = lexicon.reasons_[at];
      if (was == WordReason::kNotBaseForm || was == WordReason::kPluralOrFeminine || was == WordReason::kRare) {
        lexicon.reasons_[at] = WordReason::kNoun;
      }
    }
  }
  // A plural made for another word may spell a function word ("ohi").
  for (const std::string_view word : kFunctionWords) {
    if (const std::int32_t at = lexicon.Find(word); at >= 0) lexicon.reasons_[at] = WordReason::kFunctionWord;
  }
  return lexicon;
}

WordReason PlainLexicon::Judge(std::string_view folded) const {
  const std::int32_t at = Find(folded);
  return at < 0 ? WordReason::kNotBaseForm : reasons_[at];
}

std::int32_t PlainLexicon::Find(std::string_view word) const {
  if (slots_.empty()) return -1;
  const std::uint32_t hash = WordHash(word);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const Slot& s = slots_[slot];
    if (s.at < 0 || (s.hash == hash && words_[s.at] == word)) return s.at;
  }
}

std::int32_t PlainLexicon::Insert(std::string_view word) {
  // At most half full, so that probes stay short.
  if (2 * (words_.size() + 1) > slots_.size()) {
    slots_.assign(std::max<std::size_t>(1024, 2 * slots_.size()), Slot{0, -1});
    for (std::size_t i = 0; i < words_.size(); ++i) {
      const std::uint32_t hash = WordHash(words_[i]);
      std::size_t slot = hash & (slots_.size() - 1);
      while (slots_[slot].at >= 0) slot = (slot + 1) & (slots_.size() - 1);
      slots_[slot] = {hash, static_cast<std::int32_t>(i)};
    }
  }
  const std::uint32_t hash = WordHash(word);
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  for (; slots_[slot].at >= 0; slot = (slot + 1) & mask) {
    if (slots_[slot].hash == hash && words_[slots_[slot].at] == word) return slots_[slot].at;
  }
  slots_[slot] = {hash, static_cast<std::int32_t>(words_.size())};
  words_.emplace_back(word);
  reasons_.push_back(WordReason::kNotBaseForm);
  return slots_[slot].at;
}

void PlainLexicon::Note(std::string_view word, WordReason reason, bool onlyKnownWords) {
  if (word.size() < 3 || word.size() > static_cast<std::size_t>(kMaxWordLength)) return;
  const std::int32_t at = onlyKnownWords ? Find(word) : Insert(word);
  if (at >= 0 && Strength(reason) > Strength(reasons_[at])) reasons_[at] = reason;
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
  std::ifstream thesaurus{std::string(kItalianThesaurusIndex), std::ios::binary};
  const PlainLexicon lexicon = PlainLexicon::Read(affixes, stems, thesaurus ? &thesaurus : nullptr, &list);
  return lexicon.Empty() ? list : KeepPlainWords(list, lexicon);
}

WordList ReadPlainItalianWords() {
  std::ifstream in{std::string(kItalianWordList), std::ios::binary};
  return in ? WithInstalledLexicon(WordList::Read(in)) : WordList();
}

}  // namespace zifrel::parole
