#include <gtest/gtest.h>

#include "common/error.h"
#include "protocol/frame.h"
#include "wire_bytes.h"

namespace quindo {
namespace {

using testing::Bytes;

TEST(FrameBuffer, CutsCompleteFramesAndKeepsThePartialOne) {
  FrameBuffer buffer;
  int16_t type = -1;
  std::string body;
  buffer.Append(Bytes({5, 0, 0, 0}));
  EXPECT_FALSE(buffer.CutFrame(type, body));  // no full header yet
  buffer.Append(Bytes({3, 'a', 'b', 'c', 0xD2, 0, 0, 0, 0, 7, 0, 0, 0, 2, 0}));
  ASSERT_TRUE(buffer.CutFrame(type, body));
  EXPECT_EQ(type, 5);
  EXPECT_EQ(body, "abc");
  ASSERT_TRUE(buffer.CutFrame(type, body));  // an empty body is complete at 5 bytes
  EXPECT_EQ(type, 0xD2);
  EXPECT_EQ(body, "");
  EXPECT_FALSE(buffer.CutFrame(type, body));
  buffer.Compact();
  EXPECT_EQ(buffer.Unconsumed(), Bytes({7, 0, 0, 0, 2, 0}));
  buffer.Append(Bytes({8}));
  ASSERT_TRUE(buffer.CutFrame(type, body));
  EXPECT_EQ(body, Bytes({0, 8}));
  EXPECT_EQ(buffer.Size(), 0u);
}

TEST(FrameBuffer, RefusesLengthsThatCannotBeRightBeforeTheBodyArrives) {
  int16_t type = 0;
  std::string body;
  const auto refused = [&](FrameBuffer& buffer, const std::string& header) {
    buffer.Clear();
    buffer.Append(header);
    try {
      buffer.CutFrame(type, body);
    } catch (const Error& e) {
      return e.Number() == kOverflow && buffer.Size() == header.size();
    }
    return false;
  };
  FrameBuffer buffer;
  EXPECT_TRUE(refused(buffer, Bytes({1, 0x80, 0, 0, 0})));
  EXPECT_TRUE(refused(buffer, Bytes({1, 0x01, 0, 0, 1})));  // 16 MiB + 1
  buffer.SetMaximumBody(INT32_MAX);
  EXPECT_TRUE(refused(buffer, Bytes({1, 0x7F, 0xFF, 0xFF, 0xFB})));  // frame end past 2^31 - 1
  EXPECT_FALSE(refused(buffer, Bytes({1, 0x7F, 0xFF, 0xFF, 0xFA})));  // only waits
  buffer.SetMaximumBody(3);
  EXPECT_FALSE(refused(buffer, Bytes({1, 0, 0, 0, 3})));
  EXPECT_TRUE(refused(buffer, Bytes({1, 0, 0, 0, 4})));
  EXPECT_THROW(buffer.SetMaximumBody(-1), Error);
}

}  // namespace
}  // namespace quindo
