#include "common/binary_file.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/memory_file_system.h"
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
  file.WriteZeros(1);
  file.Close();
  file.Open(path_, BinaryFile::Mode::kRead);
  EXPECT_EQ(file.ReadBytes(static_cast<size_t>(file.Length())),
            std::string("\xFE\xFF\x04\x03\x02\x01\0\0\0\0\0\0\xF0\x3F\x02\0\x80" "a\0", 19));
  file.Seek(0);
  EXPECT_EQ(file.ReadInt16(), -2);
  EXPECT_EQ(file.ReadInt32(), 0x01020304);
  EXPECT_EQ(file.ReadDouble(), 1.0);
  EXPECT_EQ(file.ReadText(), "€a");
  EXPECT_EQ(file.Position(), 18);
}

TEST_F(BinaryFileTest, UnopenedOpenOrShortFilesRaiseFileErrorsAndKeepThePosition) {
  BinaryFile file;
  EXPECT_EQ(ErrorOf([&] { file.ReadInt16(); }), kBadFileNameOrNumber);
  EXPECT_EQ(ErrorOf([&] { file.WriteInt16(1); }), kBadFileNameOrNumber);
  file.Open(path_, BinaryFile::Mode::kCreate);
  EXPECT_EQ(ErrorOf([&] { file.Open(path_, BinaryFile::Mode::kRead); }), kFileAlreadyOpen);
  file.WriteBytes("\x05\0abc");  // a text announcing 5 bytes, holding 3
  file.Seek(0);
  EXPECT_EQ(ErrorOf([&] { file.ReadText(); }), kInputPastEndOfFile);
  file.Seek(4);
  EXPECT_EQ(ErrorOf([&] { file.ReadInt16(); }), kInputPastEndOfFile);
  EXPECT_EQ(file.Position(), 4);
  EXPECT_EQ(ErrorOf([&] { file.WriteText(std::string(65536, 'x')); }), kOverflow);
}

TEST_F(BinaryFileTest, ReadsAndWritesAtTheirPositionAcrossTheBuffers) {
  // 300 000 numbers: more than every read-ahead and write buffer, written
  // in order and then over in a few places.
  BinaryFile file;
  file.Open(path_, BinaryFile::Mode::kCreate);
  for (int32_t n = 0; n < 300000; ++n) file.WriteInt32(n);
  for (const int32_t n : {0, 1023, 1024, 16383, 299999}) {
    file.Seek(int64_t{n} * 4);
    file.WriteInt32(-n);
  }
  EXPECT_EQ(file.Length(), 1200000);
  file.Close();
  file.Open(path_, BinaryFile::Mode::kRead);
  const auto expected = [](int32_t n) { return n == 1023 || n == 1024 || n == 16383 || n == 299999 ? -n : n; };
  for (int32_t n = 0; n < 300000; ++n) ASSERT_EQ(file.ReadInt32(), expected(n)) << n;
  // Back and forth, and one read longer than any buffer.
  for (const int32_t at : {4096, 1, 299999, 10000}) {
    file.Seek(int64_t{at} * 4);
    EXPECT_EQ(file.ReadInt32(), expected(at)) << at;
  }
  file.Seek(8);
  EXPECT_EQ(file.ReadBytes(200000).substr(200000 - 4), std::string("\x51\xC3\0\0", 4));  // 50001
  EXPECT_EQ(ErrorOf([&] { file.WriteInt16(1); }), kBadFileMode);
}

TEST(BinaryFileAppendTest, AppendsWholeRecordsAtTheEndOrNothing) {
  MemoryFileSystem memory;
  memory.CreateDirectory("/logs");
  SetActiveFileSystem(&memory);
  BinaryFile log;
  log.Open("/logs/a.dat", BinaryFile::Mode::kAppend);
  EXPECT_EQ(log.Append("first"), 0);
  // Another writer's append lands before ours: ours goes after it.
  BinaryFile other;
  other.Open("/logs/a.dat", BinaryFile::Mode::kAppend);
  EXPECT_EQ(other.Append("OTHER"), 5);
  other.Close();
  EXPECT_EQ(log.Append("second"), 10);
  EXPECT_EQ(log.LastAppendStart(), 10);
  EXPECT_EQ(log.Position(), 16);
  // Nothing but Append writes an append-only file.
  EXPECT_EQ(ErrorOf([&] { log.WriteInt16(1); }), kBadFileMode);

  // A write that the full disk cuts short leaves no part of the record.
  memory.SetFileSizeLimit(20);
  EXPECT_EQ(ErrorOf([&] { log.Append("third record"); }), kDiskFull);
  EXPECT_EQ(*memory.FileContent("/logs/a.dat"), "firstOTHERsecond");
  memory.SetFileSizeLimit(std::nullopt);
  EXPECT_EQ(log.Append("3rd"), 16);
  log.Close();
  EXPECT_EQ(*memory.FileContent("/logs/a.dat"), "firstOTHERsecond3rd");

  BinaryFile reader;
  reader.Open("/logs/a.dat", BinaryFile::Mode::kRead);
  EXPECT_EQ(reader.SettledLength(), 19);
  EXPECT_EQ(ErrorOf([&] { reader.Append("x"); }), kBadFileMode);
  SetActiveFileSystem(nullptr);
}

}  // namespace
}  // namespace quindo
