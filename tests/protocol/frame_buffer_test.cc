#include <gtest/gtest.h>

#include "common/error.h"
#include "protocol/frame.h"
#include "wire_bytes.h"

namespace quindo {
namespace {

using testing::Bytes;

// Cutting and joining are exercised through the control's receive loop; here
// only the length checks at their exact boundaries.
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
