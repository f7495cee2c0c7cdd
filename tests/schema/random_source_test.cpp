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

TEST(SubtractiveRng, SeedsWithTheSameMagnitudeModuloABillionAgree) {
  struct Row {
    std::int32_t a, b;
  };
  for (const Row row : {Row{-1, 1}, Row{1'000'000'001, 1}, Row{-2147483647 - 1, 147483648},
                        Row{2147483647, 147483647}}) {
    SubtractiveRng a = Seeded(row.a), b = Seeded(row.b);
    EXPECT_EQ(Draws(a, 100), Draws(b, 100)) << row.a << " and " << row.b;
  }
  SubtractiveRng one = Seeded(1), two = Seeded(2);
  EXPECT_NE(Draws(one, 3), Draws(two, 3));
}

TEST(SubtractiveRng, BelowOneIsZeroAndStillDraws) {
  SubtractiveRng rng = Seeded(1);
  EXPECT_EQ(rng.Below(1), 0u);
  EXPECT_EQ(rng.Next(), 250065336u);
  EXPECT_EQ(rng.Below(1000), 377506581u % 1000);
}

TEST(RandomPermutation, SeedOneArrangesFive) {
  SubtractiveRng rng = Seeded(1);
  std::vector<std::uint32_t> array(6, 77);
  RandomPermutation(rng, array, 5);
  EXPECT_EQ(array, (std::vector<std::uint32_t>{77, 5, 1, 2, 4, 3}));  // entry 0 untouched
  EXPECT_TRUE(IsAfterDraws(rng, 1, 5));
}

TEST(RandomPermutation, ZeroDrawsNothingAndOneDrawsOnce) {
  SubtractiveRng rng = Seeded(1);
  std::vector<std::uint32_t> array(2, 77);
  RandomPermutation(rng, array, 0);
  EXPECT_EQ(array, (std::vector<std::uint32_t>{77, 77}));
  EXPECT_TRUE(IsAfterDraws(rng, 1, 0));
  RandomPermutation(rng, array, 1);
  EXPECT_EQ(array, (std::vector<std::uint32_t>{77, 1}));
  EXPECT_TRUE(IsAfterDraws(rng, 1, 1));
}

TEST(RandomPermutation, IsAPermutationForEveryLength) {
  SubtractiveRng rng = Seeded(5);
  for (int n : {2, 3, 10, 999, 9999}) {
    std::vector<std::uint32_t> array(n + 1);
    RandomPermutation(rng, array, n);
    std::sort(array.begin() + 1, array.end());
    for (int i = 1; i <= n; ++i) ASSERT_EQ(array[i], static_cast<std::uint32_t>(i)) << "n " << n;
  }
}

class DivisorTableTest : public ::testing::Test {
 protected:
  void SetUp() override { table.Build(rng); }
  std::vector<int> Sorted(int n) const {
    std::vector<int> list(table.List(n).begin(), table.List(n).end());
    std::sort(list.begin(), list.end());
    return list;
  }
  SubtractiveRng rng = Seeded(1);
  DivisorTable table;
};

TEST_F(DivisorTableTest, KnownEntries) {
  for (int n : {0, 1, 2, 3, 9973}) EXPECT_EQ(table.Count(n), 0) << n;
  EXPECT_EQ(Sorted(4), std::vector<int>{2});  // a square root is listed once
  EXPECT_EQ(Sorted(12), (std::vector<int>{2, 3, 4, 6}));
  EXPECT_EQ(Sorted(36), (std::vector<int>{2, 3, 4, 6, 9, 12, 18}));
  EXPECT_EQ(table.Count(7560), 62);
  EXPECT_EQ(table.Count(9240), 62);
  EXPECT_EQ(table.Total(), 73646u);
}

TEST_F(DivisorTableTest, EveryListHoldsExactlyTheProperDivisors) {
  int largest = 0;
  for (int n = 0; n < DivisorTable::kSize; ++n) {
    std::vector<int> expected;
    for (int d = 2; d <= n / 2; ++d) {
      if (n % d == 0) expected.push_back(d);
    }
    ASSERT_EQ(Sorted(n), expected) << "n " << n;
    largest = std::max(largest, table.Count(n));
  }
  EXPECT_EQ(largest, 62);
}

TEST_F(DivisorTableTest, DrawsOncePerDivisor) {
  EXPECT_TRUE(IsAfterDraws(rng, 1, 73646));
  // The lists are shuffled, not left in the order they were found.
  EXPECT_NE(std::vector<int>(table.List(7560).begin(), table.List(7560).end()), Sorted(7560));
}

TEST(DrawRandomOperators, NeverGivesACombinationThatIsNotAdmitted) {
  SubtractiveRng rng = Seeded(3);
  for (int job = 0; job < 5000; ++job) ASSERT_TRUE(IsAdmitted(DrawRandomOperators(rng))) << "job " << job;
}

TEST(DrawRandomOperators, TakesTheLastSixDrawsOfWholeTriesOneFirst) {
  SubtractiveRng source = Seeded(3);
  const std::vector<std::uint32_t> stream = Draws(source, 20000);
  SubtractiveRng rng = Seeded(3);
  std::size_t used = 0;
  for (int job = 0; job < 100; ++job) {
    const OpCodes ops = DrawRandomOperators(rng);
    // The generator has moved on by whole tries of six draws, and the last
    // six drawn are o1..o6.
    SubtractiveRng probe = rng;
    const std::uint32_t next = probe.Next();
    do {
      used += 6;
      ASSERT_LT(used, stream.size()) << "job " << job;
    } while (stream[used] != next);
    for (int k = 0; k < kOperatorCount; ++k) EXPECT_EQ(ops[k], static_cast<OpCode>(stream[used - 6 + k] % 4));
  }
}

}  // namespace
}  // namespace zifrel
