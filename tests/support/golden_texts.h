#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zifrel::testing {

// A golden text: the name of its section in the file, and the input it is
// the output of.
struct GoldenCase {
  std::string name;
  std::string input;
};

// Each case's output against the section of `path` that follows its line
// "== name". With ZIFREL_GOLDEN_UPDATE set, the file is written anew from the
// outputs first, so that a deliberate change is one run and one reading of
// the difference.
void ExpectGoldenTexts(const std::string& path, const std::vector<GoldenCase>& cases,
                       const std::function<std::string(const std::string&)>& output);

}  // namespace zifrel::testing
