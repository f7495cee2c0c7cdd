#include "cli/relation_input.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "core/utf8.h"
#include "libero/relation_check.h"

namespace zifrel::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kShortestRelation = 3;  // characters; shorter lines are dropped
// A line of this many bytes has more characters than a relation may, even
// without a carriage return that ends it: no character takes more than four
// bytes. Reading keeps no more of a line.
constexpr std::size_t kMaxLineBytes = 4 * libero::kMaxFormulaChars + 2;

class Lines {
 public:
  // False once the job's outcome is settled.
  bool Add(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first_ && line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
    first_ = false;
    const std::size_t length = CodePointCount(line);
    if (length < kShortestRelation) return true;
    lines_.push_back(std::move(line));
    return length <= static_cast<std::size_t>(libero::kMaxFormulaChars) &&
           lines_.size() <= static_cast<std::size_t>(libero::kMaxRelations);
  }
  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  std::vector<std::string> lines_;
  bool first_ = true;
};

}  // namespace

LinesRead ReadRelationLines(int fd) {
  Lines lines;
  std::string line;
  std::array<char, 1 << 16> buffer;
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return {lines.Take(), errno};
    if (got == 0) break;
    for (const char c : std::string_view(buffer.data(), static_cast<std::size_t>(got))) {
      if (c != '\n') {
        if (line.size() < kMaxLineBytes) line += c;
        continue;
      }
      if (!lines.Add(std::move(line))) return {lines.Take(), 0};
      line.clear();
    }
    if (line.size() == kMaxLineBytes) {  // too long already: the job will say so
      lines.Add(std::move(line));
      return {lines.Take(), 0};
    }
  }
  if (!line.empty()) lines.Add(std::move(line));
  return {lines.Take(), 0};
}

std::string ReadErrorReason(int error) {
  switch (error) {
    case ENOENT:
      return "il file non esiste";
    case EACCES:
    case EPERM:
      return "permesso negato";
    case EISDIR:
      return "e' una cartella";
    case EBADF:
      return "non e' aperto";
    default:
      return std::strerror(error);
  }
}

std::string WriteErrorReason(int error) {
  switch (error) {
    case ENOSPC:
      return "spazio esaurito";
    case EPIPE:
      return "nessuno legge piu' l'uscita";
    case EBADF:
      return "l'uscita e' chiusa";
    default:
      return std::strerror(error);
  }
}

}  // namespace zifrel::cli
