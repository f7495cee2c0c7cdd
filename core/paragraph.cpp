#include "core/paragraph.h"

#include "core/utf8.h"

namespace zifrel {
namespace {

constexpr std::string_view kHole = "{}";
constexpr std::string_view kNoBreakSpace = "\u00A0";

}  // namespace

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> pieces) {
  std::string text;
  auto piece = pieces.begin();
  for (std::size_t at = 0; at < pattern.size();) {
    const std::size_t hole = pattern.find(kHole, at);
    text.append(pattern.substr(at, hole - at));
    if (hole == std::string_view::npos) break;
    if (piece != pieces.end()) text.append(*piece++);
    at = hole + kHole.size();
  }
  return text;
}

void Paragraph::Add(std::string_view pattern, std::initializer_list<std::string_view> pieces) {
  // Blanks of the pattern separate words; blanks inside a piece do not.
  auto piece = pieces.begin();
  std::string word;
  for (std::size_t at = 0; at <= pattern.size(); ++at) {
    if (at == pattern.size() || pattern[at] == ' ') {
      if (!word.empty()) words_.push_back(std::move(word));
      word.clear();
    } else if (pattern.substr(at, kHole.size()) == kHole) {
      if (piece != pieces.end()) word.append(*piece++);
      ++at;
    } else {
      word.push_back(pattern[at]);
    }
  }
}

void Paragraph::AddList(const std::vector<std::string>& items, std::string_view conjunction, std::string_view end) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::string word = items[i];
    const bool last = i + 1 == items.size();
    if (!last && (i + 2 < items.size() || conjunction.empty())) word.push_back(',');
    if (last) word.append(end);
    words_.push_back(std::move(word));
    if (i + 2 == items.size() && !conjunction.empty()) words_.emplace_back(conjunction);
  }
}

void Paragraph::Write(LineSink& out, std::string_view lead, std::size_t width) const {
  const std::size_t indent = CodePointCount(lead);
  std::string line(lead);
  std::size_t length = indent;
  bool empty = true;
  for (const std::string& word : words_) {
    const std::size_t size = CodePointCount(word);
    if (!empty && width != 0 && length + 1 + size > width) {
      out.AppendLine(line);
      line.assign(indent, ' ');
      length = indent;
      empty = true;
    }
    if (!empty) line.push_back(' '), ++length;
    if (width == 0) {
      for (const char c : word) {
        if (c == ' ') {
          line.append(kNoBreakSpace);
        } else {
          line.push_back(c);
        }
      }
    } else {
      line.append(word);
    }
    length += size;
    empty = false;
  }
  if (!empty) out.AppendLine(line);
}

}  // namespace zifrel
