#include "cli/relation_input.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <functional>
#include <string_view>

#include "cli/error_reasons.h"
#include "cli/output.h"
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

int ReadInPieces(int fd, const std::function<bool(std::string_view)>& take) {
  std::array<char, 1 << 16> buffer;
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0 || !take(std::string_view(buffer.data(), static_cast<std::size_t>(got)))) return 0;
  }
}

LinesRead ReadRelationLines(int fd) {
  Lines lines;
  std::string line;
  bool settled = false;
  const int error = ReadInPieces(fd, [&](std::string_view piece) {
    for (const char c : piece) {
      if (c != '\n') {
        if (line.size() < kMaxLineBytes) line += c;
        continue;
      }
      settled = !lines.Add(std::move(line));
      if (settled) return false;
      line.clear();
    }
    if (line.size() == kMaxLineBytes) {  // too long already: the job will say so
      settled = true;
      lines.Add(std::move(line));
      return false;
    }
    return true;
  });
  if (error != 0) return {lines.Take(), error};
  if (!settled && !line.empty()) lines.Add(std::move(line));
  return {lines.Take(), 0};
}

std::optional<std::vector<std::string>> ReadRelationFile(std::string_view file, Io& io) {
  const bool fromStdin = file == "-";
  const int fd = fromStdin ? io.in : ::open(std::string(file).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    io.err << "zifrel-cli: non riesco a leggere " << file << ": " << ReadErrorReason(errno) << '\n';
    return std::nullopt;
  }
  LinesRead read = ReadRelationLines(fd);
  if (!fromStdin) ::close(fd);
  if (read.error != 0) {
    io.err << "zifrel-cli: non riesco a leggere " << (fromStdin ? "lo standard input" : file) << ": "
           << ReadErrorReason(read.error) << '\n';
    return std::nullopt;
  }
  return std::move(read.lines);
}

}  // namespace zifrel::cli
