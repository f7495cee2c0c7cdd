#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zifrel {

// The one way output leaves a search: a line at a time, in order.
class LineSink {
 public:
  virtual ~LineSink() = default;
  virtual void AppendLine(std::string_view line) = 0;
};

// Collects lines in memory; used by tests and by callers that print later.
class LineCollector final : public LineSink {
 public:
  void AppendLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

}  // namespace zifrel
