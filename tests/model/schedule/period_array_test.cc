// Both serialised forms of a schedule: golden bytes, round trips, and input
// that ends early or carries odd counts.
#include <cstdio>
#include <random>

#include <gtest/gtest.h>

#include "common/binary_file.h"
#include "common/error.h"
#include "model/schedule/period_codec.h"
#include "model/schedule/time_schedule.h"
#include "error_number.h"

namespace quindo {
namespace {

std::string Hex(const std::string& bytes) {
  std::string out;
  char two[4];
  for (unsigned char b : bytes) {
    std::snprintf(two, sizeof two, "%s%02X", out.empty() ? "" : " ", b);
    out += two;
  }
  return out;
}

std::string Values(std::initializer_list<int16_t> values) {
  std::string text;
  for (int16_t v : values) text += IntegerToChars(v);
  return text;
}

cTimeSchedule RandomSchedule(std::mt19937& rng) {
  std::uniform_int_distribution<int> value(-32768, 32767);
  cTimeSchedule s;
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    s.SetActive(d, static_cast<int16_t>(rng() % 2));
    s.SetGrouped(d, static_cast<int16_t>(rng() % 2));
    s.SetAxisOfDayType(d, static_cast<int16_t>(value(rng)));
    for (unsigned n = rng() % 5; n > 0; --n) {
      s.Periods(d).push_back(std::make_shared<cTimeSchedulePeriod>(
          cTimeSchedulePeriod{static_cast<int16_t>(value(rng)), static_cast<int16_t>(value(rng))}));
    }
  }
  s.m_UseCalendar = static_cast<int16_t>(value(rng));
  return s;
}

class ScheduleFileTest : public testing::Test {
 protected:
  std::string path_ = testing::TempDir() + "schedule_block_" +
                      testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
  void TearDown() override { std::remove(path_.c_str()); }
  std::string Save(const cTimeSchedule& s) {
    BinaryFile file;
    file.Open(path_, BinaryFile::Mode::kCreate);
    s.SaveToDisk(file);
    file.Seek(0);
    return file.ReadBytes(static_cast<size_t>(file.Length()));
  }
};

TEST(PeriodCodecTest, TwoBytesHighFirstAndSigned) {
  EXPECT_EQ(Hex(IntegerToChars(-1)), "FF FF");
  EXPECT_EQ(Hex(IntegerToChars(420)), "01 A4");
  EXPECT_EQ(Hex(IntegerToChars(-32768)), "80 00");
  EXPECT_EQ(CharsToInteger(std::string_view("\x80\x00" "extra", 7)), -32768);
  EXPECT_EQ(CharsToInteger("\x7F\xFF"), 32767);
  EXPECT_EQ(ErrorOf([] { CharsToInteger("\x01"); }), kInvalidProcedureCall);
}

TEST(PeriodArrayTest, NewAndDefaultSchedulesComposeToExactBytes) {
  cTimeSchedule s;
  const std::string weekday("\xFF\xFF\0\0\0\0\0\0", 8);
  std::string expected;
  for (int d = 0; d < 23; ++d) expected += d < 7 ? weekday : std::string(8, '\0');
  expected += std::string(2, '\0');
  EXPECT_EQ(s.ComposePeriodArray(), expected);

  s.SetDefaultPeriod();
  const std::string text = s.ComposePeriodArray();
  EXPECT_EQ(text.size(), 186u + 4 * 5);
  EXPECT_EQ(Hex(text.substr(0, 12)), "FF FF FF FF 00 01 01 A4 03 C0 00 00");
}

TEST_F(ScheduleFileTest, DefaultScheduleBlockIsLittleEndian) {
  cTimeSchedule s;
  s.SetDefaultPeriod();
  const std::string block = Save(s);
  EXPECT_EQ(block.size(), 186u + 4 * 5);
  EXPECT_EQ(Hex(block.substr(0, 12)), "FF FF FF FF 01 00 A4 01 C0 03 00 00");
}

TEST_F(ScheduleFileTest, RandomSchedulesSurviveBothFormsExactly) {
  std::mt19937 rng(7);
  for (int round = 0; round < 50; ++round) {
    const cTimeSchedule original = RandomSchedule(rng);
    const std::string text = original.ComposePeriodArray();
    cTimeSchedule from_text = RandomSchedule(rng);
    from_text.ExtractPeriodArray(text + "trailing bytes are ignored");
    EXPECT_EQ(from_text.ComposePeriodArray(), text);

    const std::string block = Save(original);
    BinaryFile file;
    file.Open(path_, BinaryFile::Mode::kRead);
    cTimeSchedule from_file = RandomSchedule(rng);
    from_file.ReadFromDisk(file);
    EXPECT_EQ(file.Position(), static_cast<int64_t>(block.size()));
    EXPECT_EQ(from_file.ComposePeriodArray(), text);
  }
}

TEST_F(ScheduleFileTest, InputEndingEarlyChangesNothing) {
  std::mt19937 rng(11);
  cTimeSchedule source = RandomSchedule(rng);
  const std::string text = source.ComposePeriodArray();
  const std::string block = Save(source);
  cTimeSchedule target;
  target.SetDefaultPeriod();
  target.SetSelectedDayType(3);
  const std::string before = target.ComposePeriodArray();
  const PeriodRef held = target.Periods(0)[0];
  // Every prefix, the empty text included, is refused as a whole.
  for (size_t length = 0; length < text.size(); length += length < 8 ? 1 : 7) {
    EXPECT_EQ(ErrorOf([&] { target.ExtractPeriodArray(text.substr(0, length)); }),
              kInvalidProcedureCall);
    ASSERT_EQ(target.ComposePeriodArray(), before) << length;
  }
  BinaryFile file;
  file.Open(path_, BinaryFile::Mode::kCreate);
  file.WriteBytes(block.substr(0, block.size() - 1));
  file.Close();
  file.Open(path_, BinaryFile::Mode::kRead);
  EXPECT_EQ(ErrorOf([&] { target.ReadFromDisk(file); }), kInputPastEndOfFile);
  EXPECT_EQ(target.ComposePeriodArray(), before);
  EXPECT_EQ(target.Periods(0)[0], held);
  EXPECT_EQ(target.SelectedDayType(), 3);
}

TEST(PeriodArrayTest, NegativeCountReadsNoPairs) {
  std::string text = Values({-1, 0, -3, 17});  // day type 0: count -3, row 17
  for (int d = 1; d < 23; ++d) text += Values({0, -1, 1, 10, 20, 2});
  text += Values({-1});
  cTimeSchedule s;
  s.ExtractPeriodArray(text);
  EXPECT_TRUE(s.Periods(0).empty());
  EXPECT_EQ(s.GetAxisOfDayType(0), 17);
  EXPECT_EQ(s.GetActive(1), 0);
  EXPECT_EQ(s.GetGrouped(22), -1);
  ASSERT_EQ(s.Periods(22).size(), 1u);
  EXPECT_EQ(s.Periods(22)[0]->m_StopMinute, 20);
  EXPECT_EQ(s.m_UseCalendar, -1);
  // The count is written back as the real one.
  EXPECT_EQ(s.ComposePeriodArray().substr(4, 4), Values({0, 17}));
}

TEST_F(ScheduleFileTest, MoreThan32767PeriodsOverflowWithoutWriting) {
  cTimeSchedule s;
  s.Periods(6).resize(32768, std::make_shared<cTimeSchedulePeriod>());
  EXPECT_EQ(ErrorOf([&] { s.ComposePeriodArray(); }), kOverflow);
  BinaryFile file;
  file.Open(path_, BinaryFile::Mode::kCreate);
  EXPECT_EQ(ErrorOf([&] { s.SaveToDisk(file); }), kOverflow);
  EXPECT_EQ(file.Length(), 0);
  s.Periods(6).pop_back();
  EXPECT_EQ(s.ComposePeriodArray().size(), 186u + 4 * 32767);
}

}  // namespace
}  // namespace quindo
