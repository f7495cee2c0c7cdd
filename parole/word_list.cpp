#include "parole/word_list.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/utf8.h"
#include "parole/plain_words.h"

namespace zifrel::parole {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

bool WordListReader::Feed(std::string_view bytes) {
  if (fault_ != ListFault::kNone) return false;
  while (!bytes.empty()) {
    const std::size_t feed = bytes.find('\n');
    const std::string_view piece = bytes.substr(0, feed);
    if (piece.find('\0') != std::string_view::npos) {
      fault_ = ListFault::kNotText;
      ++lines_;
      return false;
    }
    if (line_.size() + piece.size() > kMaxListLineBytes) {
      fault_ = ListFault::kLineTooLong;
      ++lines_;
      return false;
    }
    line_.append(piece);
    if (feed == std::string_view::npos) break;
    if (!EndLine()) return false;
    bytes.remove_prefix(feed + 1);
  }
  return true;
}

bool WordListReader::EndLine() {
  if (++lines_ > kMaxListLines) {
    fault_ = ListFault::kTooManyLines;
    return false;
  }
  std::string_view text = line_;
  if (lines_ == 1 && text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  // Each word once, with its plainest spelling: "parlo" is a verb form, its
  // folded twin "parlò" one that lost an accent.
  bool dropped = false;
  std::string word = FoldWord(text, dropped);
  line_.clear();
  if (word.size() < 3 || word.size() > static_cast<std::size_t>(kMaxWordLength)) return true;
  const auto [at, inserted] = seen_.try_emplace(word, texts_.size());
  if (inserted) {
    texts_.push_back(std::move(word));
    accentDropped_.push_back(dropped);
  } else if (!dropped) {
    accentDropped_[at->second] = false;
  }
  return true;
}

WordList WordListReader::Finish() {
  if (!line_.empty() && fault_ == ListFault::kNone) EndLine();
  seen_ = {};
  if (fault_ != ListFault::kNone) return {};
  const std::vector<bool> verbForm = LooksLikeVerbForms(texts_);

  // One integer per word holds its place: tier, then length, then hash.
  std::vector<std::pair<std::uint64_t, std::size_t>> order(texts_.size());
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    const WordTier tier = accentDropped_[i] ? WordTier::kAccentDropped
                          : verbForm[i]     ? WordTier::kVerbForm
                                            : WordTier::kPlain;
    order[i] = {
        static_cast<std::uint64_t>(tier) << 40 | static_cast<std::uint64_t>(texts_[i].size()) << 32 | Hash(texts_[i]),
        i};
  }
  std::ranges::sort(order, [&](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : texts_[a.second] < texts_[b.second];
  });
  WordList list;
  list.words_.reserve(texts_.size());
  for (const auto& [key, i] : order) list.words_.push_back({std::move(texts_[i]), static_cast<WordTier>(key >> 40)});
  texts_ = {};
  return list;
}

WordList WordList::Read(std::istream& in) {
  WordListReader reader;
  std::array<char, 1 << 16> buffer;
  while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
    if (!reader.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(in.gcount())))) break;
  }
  return reader.Finish();
}

}  // namespace zifrel::parole
