#include "common/code_page.h"

#include <gtest/gtest.h>

namespace quindo {
namespace {

TEST(CodePageTest, EveryByteSurvivesTextAndBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(TextToBytes(BytesToText(all)), all);
}

}  // namespace
}  // namespace quindo
