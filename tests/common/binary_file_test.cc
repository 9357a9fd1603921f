#include "common/binary_file.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "common/error.h"
#include "error_number.h"

namespace quindo {
namespace {

class BinaryFileTest : public testing::Test {
 protected:
  std::string path_ = testing::TempDir() + "binary_file_" +
                      testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
  void TearDown() override { std::remove(path_.c_str()); }
};

TEST_F(BinaryFileTest, WritesLittleEndianAndTextWithLengthPrefix) {
  BinaryFile file;
  file.Open(path_, BinaryFile::Mode::kCreate);
  file.WriteInt16(-2);
  file.WriteInt32(0x01020304);
  file.WriteDouble(1.0);
  file.WriteText("€a");
  file.Close();
  file.Open(path_, BinaryFile::Mode::kRead);
  EXPECT_EQ(file.ReadBytes(static_cast<size_t>(file.Length())),
            std::string("\xFE\xFF\x04\x03\x02\x01\0\0\0\0\0\0\xF0\x3F\x02\0\x80" "a", 18));
  file.Seek(0);
  EXPECT_EQ(file.ReadInt16(), -2);
  EXPECT_EQ(file.ReadInt32(), 0x01020304);
  EXPECT_EQ(file.ReadDouble(), 1.0);
  EXPECT_EQ(file.ReadText(), "€a");
  EXPECT_EQ(file.Position(), 18);
}

TEST_F(BinaryFileTest, ReadPastEndRaises62AndKeepsPosition) {
  BinaryFile file;
  file.Open(path_, BinaryFile::Mode::kCreate);
  file.WriteBytes("\x05\0abc");  // a text announcing 5 bytes, holding 3
  file.Seek(0);
  EXPECT_EQ(ErrorOf([&] { file.ReadText(); }), kInputPastEndOfFile);
  file.Seek(4);
  EXPECT_EQ(ErrorOf([&] { file.ReadInt16(); }), kInputPastEndOfFile);
  EXPECT_EQ(file.Position(), 4);
  EXPECT_EQ(ErrorOf([&] { file.WriteText(std::string(65536, 'x')); }), kOverflow);
}

TEST_F(BinaryFileTest, UnopenedOrMissingFileRaisesFileErrors) {
  BinaryFile file;
  EXPECT_EQ(ErrorOf([&] { file.ReadInt16(); }), kBadFileNameOrNumber);
  EXPECT_EQ(ErrorOf([&] { file.WriteInt16(1); }), kBadFileNameOrNumber);
  EXPECT_EQ(ErrorOf([&] { file.Open(path_, BinaryFile::Mode::kRead); }), kFileNotFound);
  EXPECT_EQ(ErrorOf([&] { file.Open(path_ + ".d/x", BinaryFile::Mode::kCreate); }), kPathNotFound);
  file.Open(path_, BinaryFile::Mode::kReadWrite);
  EXPECT_EQ(ErrorOf([&] { file.Open(path_, BinaryFile::Mode::kRead); }), kFileAlreadyOpen);
}

}  // namespace
}  // namespace quindo
