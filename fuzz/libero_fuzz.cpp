// libFuzzer target: the path from typed lines to a result. Every input is a
// formula area (lines split at line feeds) run as a whole Libero job with a
// small search; when the relations have few letters, the whole search is
// also compared with the plain search of the tests, which computes every
// value exactly: the same solutions, in the same order, and the same count;
// with seven or eight letters, the search on two threads is compared with
// the search on one, byte for byte.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/line_sink.h"
#include "core/stop_flag.h"
#include "core/utf8.h"
#include "libero/libero_job.h"
#include "libero/relation_check.h"
#include "tests/support/reference_libero.h"

namespace {

using namespace zifrel;

constexpr long kPollsPerJob = 3000;  // keeps a ten-letter search to a moment
constexpr std::size_t kMaxComparedLetters = 5;
constexpr std::size_t kMinThreadedLetters = 7;  // fewer never start threads
constexpr std::size_t kMaxThreadedLetters = 8;

std::vector<std::string> SplitLines(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < size && lines.size() <= 2 * libero::kMaxRelations; ++i) {
    if (data[i] == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += static_cast<char>(data[i]);
    }
  }
  return lines;
}

libero::JobEnd Run(const std::vector<std::string>& lines, long polls, std::vector<std::string>& out, int threads = 1) {
  libero::FreeRelations job;
  job.UseThreads(threads);
  LineCollector sink;
  StopFlag stop;
  if (polls > 0) stop.RequestAfterPolls(polls);
  std::atomic<std::int32_t> count{-1};
  const libero::JobEnd end = job.SolveFreeRelations(
      lines, [](std::span<const std::string>) {}, sink, stop, count);
  out = std::move(sink.lines);
  if (out.empty()) std::abort();  // every job says how it ended
  return end;
}

// The search outcome of relations that pass their checks, compared with the
// plain search when they are small.
void CompareWithPlainSearch(const std::vector<std::string>& lines) {
  std::vector<std::string> normalised;
  std::size_t characters = 0;
  for (const std::string& line : lines) {
    const std::size_t length = CodePointCount(line);
    if (length > static_cast<std::size_t>(libero::kMaxFormulaChars)) return;
    if (length < 3) continue;
    std::u32string text = DecodeUtf8(line);
    if (libero::CheckRelation(text) != libero::kCheckOk) return;
    normalised.push_back(EncodeUtf8(text));
    characters += text.size();
  }
  if (normalised.empty() || normalised.size() > static_cast<std::size_t>(libero::kMaxRelations)) return;
  std::string letters;
  for (const std::string& text : normalised) {
    for (char c : text) {
      if (c >= 'A' && c <= 'Z' && letters.find(c) == std::string::npos) letters += c;
    }
  }
  // Searches big enough to be shared out among threads must list and count
  // what one thread does, byte for byte.
  if (characters > 400) return;
  if (letters.size() >= kMinThreadedLetters && letters.size() <= kMaxThreadedLetters) {
    std::vector<std::string> one, two;
    Run(lines, 0, one);
    Run(lines, 0, two, 2);
    if (one != two) {
      for (const std::string& r : normalised) std::fprintf(stderr, "relation: %s\n", r.c_str());
      std::abort();
    }
  }
  if (letters.size() > kMaxComparedLetters) return;
  std::vector<std::string> real;
  Run(lines, 0, real);
  if (real != testing::ReferenceLines(testing::ReferenceSolve(normalised))) {
    for (const std::string& r : normalised) std::fprintf(stderr, "relation: %s\n", r.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> lines = SplitLines(data, size);
  std::vector<std::string> out;
  Run(lines, kPollsPerJob, out);
  CompareWithPlainSearch(lines);
  return 0;
}
