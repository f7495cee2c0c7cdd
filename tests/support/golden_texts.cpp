#include "tests/support/golden_texts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>

namespace zifrel::testing {
namespace {

std::map<std::string, std::string> ReadSections(const std::string& path) {
  std::map<std::string, std::string> sections;
  std::ifstream in(path);
  std::string line, name;
  while (std::getline(in, line)) {
    if (line.starts_with("== ")) {
      name = line.substr(3);
      sections[name];
    } else {
      sections[name] += line + "\n";
    }
  }
  return sections;
}

}  // namespace

void ExpectGoldenTexts(const std::string& path, const std::vector<GoldenCase>& cases,
                       const std::function<std::string(const std::string&)>& output) {
  if (std::getenv("ZIFREL_GOLDEN_UPDATE") != nullptr) {
    std::ofstream out(path);
    for (const GoldenCase& c : cases) out << "== " << c.name << "\n" << output(c.input);
  }
  const std::map<std::string, std::string> golden = ReadSections(path);
  for (const GoldenCase& c : cases) {
    const auto expected = golden.find(c.name);
    ASSERT_NE(expected, golden.end()) << "no golden text for: " << c.name;
    EXPECT_EQ(output(c.input), expected->second) << c.name << ": " << c.input;
  }
}

}  // namespace zifrel::testing
