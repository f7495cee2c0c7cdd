#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include "core/line_sink.h"
#include "core/stop_flag.h"

namespace zifrel::cli {

// Standard output or standard error as the command line writes them. Text
// is written a line at a time, as soon as the line is complete, so a search
// that is interrupted has written every line it found. Every write is
// checked: after the first failure nothing more is written, and the reason
// is kept for the one message that reports it.
class Output {
 public:
  // `terminal`: control characters in the text are shown escaped, so that
  // text a user typed cannot drive the terminal; files and pipes get the
  // bytes unchanged. A write that a signal interrupts while `stop` is set is
  // given up: the program is ending.
  Output(int fd, bool terminal, const StopFlag& stop) : fd_(fd), terminal_(terminal), stop_(stop) {}
  ~Output() { Flush(); }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  Output& operator<<(std::string_view text);
  Output& operator<<(char c) { return *this << std::string_view(&c, 1); }
  template <class Int>
  requires std::is_integral_v<Int> Output& operator<<(Int n) { return *this << std::string_view(std::to_string(n)); }

  // Writes what is left of an unfinished line.
  void Flush();

  bool Failed() const { return error_ != 0; }
  int Error() const { return error_; }  // the errno of the first failure

 private:
  void Write(std::string_view bytes);

  int fd_;
  bool terminal_;
  const StopFlag& stop_;
  std::string pending_;  // the line being written
  int error_ = 0;
};

// Writes each line of a search to an Output as it comes.
class OutputSink final : public LineSink {
 public:
  explicit OutputSink(Output& out) : out_(out) {}
  void AppendLine(std::string_view line) override { out_ << line << '\n'; }

 private:
  Output& out_;
};

// The text of `bytes` with every control character shown as \xHH (a C1
// control, in UTF-8, as \u00HH; a bidirectional control as \u202E, say);
// line feeds stay as they are.
std::string EscapeControls(std::string_view bytes);

}  // namespace zifrel::cli
