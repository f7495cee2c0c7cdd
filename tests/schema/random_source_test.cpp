#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "schema/divisor_table.h"
#include "schema/op_combo_table.h"
#include "schema/subtractive_rng.h"

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
}

TEST(SubtractiveRng, SeedsOfEqualMagnitudeModuloABillionAgree) {
  struct Row {
    std::int32_t a, b;
  };
  for (const Row row : {Row{-1, 1}, Row{1'000'000'001, 1}, Row{-2147483647 - 1, 147483648}}) {
    SubtractiveRng a = Seeded(row.a), b = Seeded(row.b);
    EXPECT_EQ(Draws(a, 100), Draws(b, 100)) << row.a << " and " << row.b;
  }
}

TEST(SubtractiveRng, BelowOneIsZeroAndStillDraws) {
  SubtractiveRng rng = Seeded(1);
  EXPECT_EQ(rng.Below(1), 0u);
  EXPECT_EQ(rng.Next(), 250065336u);
}

TEST(RandomPermutation, DrawsOncePerEntryAndLeavesEntryZero) {
  SubtractiveRng rng = Seeded(1);
  std::vector<std::uint32_t> array(6, 77);
  RandomPermutation(rng, array, 5);
  EXPECT_EQ(array, (std::vector<std::uint32_t>{77, 5, 1, 2, 4, 3}));
  EXPECT_TRUE(IsAfterDraws(rng, 1, 5));

  rng = Seeded(1);
  RandomPermutation(rng, array, 0);  // nothing to arrange, nothing drawn
  EXPECT_TRUE(IsAfterDraws(rng, 1, 0));
  RandomPermutation(rng, array, 1);
  EXPECT_EQ(array[1], 1u);
  EXPECT_TRUE(IsAfterDraws(rng, 1, 1));
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
  EXPECT_EQ(sorted(36), (std::vector<int>{2, 3, 4, 6, 9, 12, 18}));
  EXPECT_EQ(table.Count(7560), 62);
  EXPECT_EQ(table.Count(9240), 62);
  EXPECT_EQ(table.Total(), 73646u);
  EXPECT_TRUE(IsAfterDraws(rng, 1, 73646));
}

TEST(DrawRandomOperators, NeverGivesACombinationThatIsNotAdmitted) {
  SubtractiveRng rng = Seeded(3);
  for (int job = 0; job < 5000; ++job) ASSERT_TRUE(IsAdmitted(DrawRandomOperators(rng))) << "job " << job;
}

}  // namespace
}  // namespace zifrel
