#include "cli/output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/utf8.h"

namespace zifrel::cli {

Output& Output::operator<<(std::string_view text) {
  for (std::size_t end; !text.empty(); text.remove_prefix(end)) {
    const std::size_t feed = text.find('\n');
    end = feed == std::string_view::npos ? text.size() : feed + 1;
    pending_.append(text.substr(0, end));
    if (feed != std::string_view::npos) Flush();
  }
  return *this;
}

void Output::Flush() {
  if (pending_.empty()) return;
  Write(terminal_ ? EscapeControls(pending_) : pending_);
  pending_.clear();
}

void Output::Write(std::string_view bytes) {
  while (error_ == 0 && !bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (errno != EINTR || stop_.IsSet()) {
      error_ = errno;
    }
  }
}

namespace {

// What a terminal would act on rather than show: C0 controls but the line
// feed, DEL, the C1 controls (encoded, or as the lone bytes that some
// terminals take for them: 0x9B starts a control sequence), and the
// bidirectional embeddings, overrides and isolates, which can make a line
// read as something else than its bytes.
bool DrivesTerminal(char32_t c) {
  return (c < 0x20 && c != '\n') || (c >= 0x7F && c <= 0x9F) || (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0x9F) ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string EscapeControls(std::string_view bytes) {
  std::string shown;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t start = pos;
    const char32_t c = NextCodePoint(bytes, pos);
    if (!DrivesTerminal(c)) {
      shown.append(bytes.substr(start, pos - start));
      continue;
    }
    char escaped[12];
    if (c < 0x80) {
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(c));
    } else if (c >= kEscapeBase) {  // a byte that is not UTF-8
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(c - kEscapeBase));
    } else {
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
    }
    shown += escaped;
  }
  return shown;
}

}  // namespace zifrel::cli
