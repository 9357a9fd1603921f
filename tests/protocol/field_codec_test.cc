#include "protocol/field_codec.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "wire_bytes.h"

namespace quindo {
namespace {

using testing::Bytes;

int32_t ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

TEST(FieldCodec, IntegersAreBigEndianTwosComplement) {
  int32_t cursor = 0;
  const std::string bytes = Bytes({0xFF, 0xFE, 0x7F, 0xFF, 0x80, 0x00});
  EXPECT_EQ(ExtractInteger(bytes, cursor), -2);
  EXPECT_EQ(ExtractInteger(bytes, cursor), 32767);
  EXPECT_EQ(ExtractInteger(bytes, cursor), -32768);
  EXPECT_EQ(cursor, 6);
  // A field partly past the end cannot be read and leaves the cursor.
  EXPECT_EQ(ErrorOf([&] { ExtractInteger(bytes.substr(0, 5), cursor = 4); }), kInvalidProcedureCall);
  EXPECT_EQ(cursor, 4);
  EXPECT_EQ(ErrorOf([&] { ExtractInteger(bytes, cursor = -1); }), kInvalidProcedureCall);
}

TEST(FieldCodec, NumbersAndTypesRefuseWhatCannotBeSent) {
  int32_t cursor = 1;
  EXPECT_EQ(ExtractLong(Bytes({9, 0x7F, 0xFF, 0xFF, 0xFF}), cursor), INT32_MAX);
  EXPECT_EQ(cursor, 5);
  EXPECT_EQ(ErrorOf([&] { ExtractLong(Bytes({0x80, 0, 0, 0}), cursor = 0); }), kOverflow);
  EXPECT_EQ(ErrorOf([&] { ExtractLong(Bytes({0, 0, 0}), cursor = 0); }), kInvalidProcedureCall);
  EXPECT_EQ(ComposeLong(300), Bytes({0, 0, 1, 0x2C}));
  EXPECT_EQ(ComposeLong(INT32_MAX), Bytes({0x7F, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(ErrorOf([] { ComposeLong(-1); }), kInvalidProcedureCall);
  EXPECT_EQ(ComposeMessageType(255), Bytes({0xFF}));
  EXPECT_EQ(ErrorOf([] { ComposeMessageType(256); }), kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([] { ComposeMessageType(-1); }), kInvalidProcedureCall);
}

TEST(FieldCodec, TextsTakeWhatIsThereAndMoveByTheirLength) {
  int32_t cursor = 0;
  EXPECT_EQ(ExtractString(Bytes({0, 3, 'A', 'B', 'C'}), cursor), "ABC");
  EXPECT_EQ(cursor, 5);
  // Cut short: the bytes that are there, the cursor past the end, and the
  // next numeric field fails.
  const std::string short_text = Bytes({0, 5, 'A', 'B'});
  EXPECT_EQ(ExtractString(short_text, cursor = 0), "AB");
  EXPECT_EQ(cursor, 7);
  EXPECT_EQ(ErrorOf([&] { ExtractInteger(short_text, cursor); }), kInvalidProcedureCall);
  EXPECT_EQ(ExtractString(Bytes({0, 0}), cursor = 0), "");
  EXPECT_EQ(ErrorOf([&] { ExtractString(Bytes({0xFF, 0xFF, 'A'}), cursor = 0); }), kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { ExtractString(Bytes({0x7F}), cursor = 0); }), kInvalidProcedureCall);
}

}  // namespace
}  // namespace quindo
