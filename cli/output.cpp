#include "cli/output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

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

std::string EscapeControls(std::string_view bytes) {
  std::string shown;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const auto next = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    char escaped[8];
    if ((c < 0x20 && c != '\n') || c == 0x7F) {
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      shown += escaped;
    } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {  // U+0080..U+009F
      std::snprintf(escaped, sizeof escaped, "\\u%04X", next);
      shown += escaped;
      ++i;
    } else {
      shown += static_cast<char>(c);
    }
  }
  return shown;
}

}  // namespace zifrel::cli
