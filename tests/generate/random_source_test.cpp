#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "generate/divisor_table.h"
#include "generate/random_operators.h"
#include "generate/subtractive_rng.h"
#include "schema/op_combo_table.h"

namespace zifrel {
namespace {

SubtractiveRng Seeded(std::int32_t seed) {
  SubtractiveRng rng;
  rng.Seed(seed);
  return rng;
}

std::vector<std::uint32_t> Draws(SubtractiveRng& rng, int count) {
  std::vector<std::uint32_t> values;
  for (int i = 0; i < count; ++i) values.push_back(rng.Next());
  return values;
}

// True when `rng` is exactly `draws` draws past a fresh generator on `seed`.
bool IsAfterDraws(SubtractiveRng rng, std::int32_t seed, int draws) {
  SubtractiveRng twin = Seeded(seed);
  for (int i = 0; i < draws; ++i) twin.Next();
  return Draws(rng, 60) == Draws(twin, 60);
}

TEST(SubtractiveRng, SeedOneStartsWithTheKnownValues) {
  SubtractiveRng rng = Seeded(1);
  EXPECT_EQ(Draws(rng, 3), (std::vector<std::uint32_t>{921674862, 250065336, 377506581}));
  rng = Seeded(1);
  EXPECT_EQ(rng.Below(1), 0u);
  EXPECT_EQ(rng.Next(), 250065336u);  // Below(1) still draws
}

TEST(SubtractiveRng, SeedsOfEqualMagnitudeModuloABillionAgree) {
  using Row = std::pair<std::int32_t, std::int32_t>;
  for (const auto& [a, b] : {Row{-1, 1}, Row{1'000'000'001, 1}, Row{-2147483647 - 1, 147483648}}) {
    SubtractiveRng first = Seeded(a), second = Seeded(b);
    EXPECT_EQ(Draws(first, 100), Draws(second, 100)) << a << " and " << b;
  }
}

TEST(RandomPermutation, DrawsOncePerEntryAndLeavesEntryZero) {
  SubtractiveRng rng = Seeded(1);
  std::vector<std::uint32_t> array(6, 77);
  RandomPermutation(rng, array, 5);
  // Worked by hand from the first five draws of seed 1 with Below(5) as
  // floor(draw * 5 / 10^9); before draws took their high digits it was 5 1 2 4 3.
  EXPECT_EQ(array, (std::vector<std::uint32_t>{77, 4, 3, 2, 1, 5}));
  EXPECT_TRUE(IsAfterDraws(rng, 1, 5));
}

TEST(DivisorTable, HoldsTheProperDivisorsWithOneDrawEach) {
  SubtractiveRng rng = Seeded(1);
  DivisorTable table;
  table.Build(rng);
  const auto sorted = [&](int n) {
    std::vector<int> list(table.List(n).begin(), table.List(n).end());
    std::sort(list.begin(), list.end());
    return list;
  };
  for (int n : {0, 1, 2, 3, 9973}) EXPECT_EQ(table.Count(n), 0) << n;
  EXPECT_EQ(sorted(4), std::vector<int>{2});  // a square root is listed once
  EXPECT_EQ(sorted(12), (std::vector<int>{2, 3, 4, 6}));
  for (int n : {7560, 9240}) EXPECT_EQ(table.Count(n), 62) << n;
  EXPECT_EQ(table.Total(), 73646u);
  EXPECT_TRUE(IsAfterDraws(rng, 1, 73646));
}

TEST(DrawRandomOperators, NeverGivesACombinationThatIsNotAdmitted) {
  SubtractiveRng rng = Seeded(3);
  for (int job = 0; job < 5000; ++job) ASSERT_TRUE(IsAdmitted(DrawRandomOperators(rng))) << "job " << job;
}

}  // namespace
}  // namespace zifrel
