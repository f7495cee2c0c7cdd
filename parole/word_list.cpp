#include "parole/word_list.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "core/utf8.h"
#include "parole/plain_words.h"

namespace zifrel::parole {
namespace {

// The base letters of U+00E0..U+00FF (à..ÿ); '?' where a character has none
// in a..z (æ, ð, ÷, ø, þ).
constexpr std::string_view kLatin1LowerBase = "aaaaaa?ceeeeiiii?nooooo??uuuuy?y";

bool IsCapital(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7); }

// FNV-1a: a fixed mix of the word, the same on every machine.
std::uint32_t Hash(std::string_view word) {
  std::uint32_t h = 2166136261u;
  for (const char c : word) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h;
}

}  // namespace

std::string FoldWord(std::string_view line, bool& accentDropped) {
  accentDropped = false;
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  std::string word;
  for (std::size_t pos = 0; pos < line.size();) {
    const char32_t c = NextCodePoint(line, pos);
    if (IsCapital(c)) return "";
    if (c >= U'a' && c <= U'z') {
      word += static_cast<char>(c);
    } else if (c >= 0xE0 && c <= 0xFF && kLatin1LowerBase[c - 0xE0] != '?') {
      word += kLatin1LowerBase[c - 0xE0];
      accentDropped = true;
    } else {
      return "";
    }
  }
  return word;
}

WordList WordList::Read(std::istream& in) {
  // Each word once, with its plainest spelling: "parlo" is a verb form, its
  // folded twin "parlò" one that lost an accent.
  std::vector<std::string> texts;
  std::vector<bool> accentDropped;
  std::unordered_map<std::string, std::size_t> seen;
  seen.reserve(1 << 17);  // Debian's Italian list holds about 100,000 words
  for (std::string line; std::getline(in, line);) {
    bool dropped = false;
    std::string word = FoldWord(line, dropped);
    if (word.size() < 3 || word.size() > static_cast<std::size_t>(kMaxWordLength)) continue;
    const auto [at, inserted] = seen.try_emplace(word, texts.size());
    if (inserted) {
      texts.push_back(std::move(word));
      accentDropped.push_back(dropped);
    } else if (!dropped) {
      accentDropped[at->second] = false;
    }
  }
  const std::vector<bool> verbForm = LooksLikeVerbForms(texts);

  // One integer per word holds its place: tier, then length, then hash.
  std::vector<std::pair<std::uint64_t, std::size_t>> order(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const WordTier tier = accentDropped[i] ? WordTier::kAccentDropped
                          : verbForm[i]    ? WordTier::kVerbForm
                                           : WordTier::kPlain;
    order[i] = {
        static_cast<std::uint64_t>(tier) << 40 | static_cast<std::uint64_t>(texts[i].size()) << 32 | Hash(texts[i]), i};
  }
  std::ranges::sort(order, [&](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : texts[a.second] < texts[b.second];
  });
  WordList list;
  list.words_.reserve(texts.size());
  for (const auto& [key, i] : order) list.words_.push_back({std::move(texts[i]), static_cast<WordTier>(key >> 40)});
  return list;
}

}  // namespace zifrel::parole
