#include "common/ranked_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace quindo {
namespace {

// The list against a plain vector of keys, after every step of a random run
// of appends, removals and moves to the end, long enough to renumber many
// times at several sizes.
TEST(RankedList, RowsAndEntriesFollowAPlainListAndDuplicatesChangeNothing) {
  RankedList<int> list;
  std::vector<std::string> plain;
  std::mt19937 random(7);
  const auto check = [&] {
    ASSERT_EQ(list.Size(), plain.size());
    for (size_t row = 0; row < plain.size(); ++row) {
      ASSERT_EQ(list.RowOf(plain[row]), row);
      ASSERT_EQ(list.At(row)->key, plain[row]);
    }
    EXPECT_EQ(list.At(plain.size()), nullptr);
    std::vector<std::string> walked;
    list.ForEach([&](const RankedList<int>::Entry& entry) {
      walked.push_back(entry.key);
      return true;
    });
    EXPECT_EQ(walked, plain);
  };
  for (int step = 0; step < 3000; ++step) {
    const std::string key = "K" + std::to_string(random() % 200);
    const auto found = std::find(plain.begin(), plain.end(), key);
    const int action = static_cast<int>(random() % 3);
    if (found == plain.end()) {
      ASSERT_TRUE(list.Append(key, step));
      plain.push_back(key);
    } else if (action == 0) {
      ASSERT_TRUE(list.Remove(key));
      plain.erase(found);
    } else {  // a report: to the end
      ASSERT_TRUE(list.Remove(key));
      ASSERT_TRUE(list.Append(key, step));
      plain.erase(found);
      plain.push_back(key);
      EXPECT_EQ(list.Find(key)->value, step);
    }
    if (step % 97 == 0) check();
  }
  check();

  // Cleared, it starts from row 0; a duplicate or absent key changes nothing.
  list.Clear();
  EXPECT_EQ(list.At(0), nullptr);
  ASSERT_TRUE(list.Append("K1", 1));
  ASSERT_TRUE(list.Append("K2", 2));
  EXPECT_FALSE(list.Append("K1", 3));
  EXPECT_EQ(list.Find("K1")->value, 1);
  EXPECT_FALSE(list.Remove("K3"));
  EXPECT_EQ(list.RowOf("K3"), std::nullopt);
  EXPECT_EQ(list.Find("K3"), nullptr);
  EXPECT_EQ(list.Size(), 2u);
  EXPECT_EQ(list.RowOf("K2"), 1u);
}

}  // namespace
}  // namespace quindo
