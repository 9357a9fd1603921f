// The time schedule: day-type tables, iteration by identity, and both
// serialised forms (golden bytes, round trips, input that ends early or
// carries odd counts).
#include "model/schedule/time_schedule.h"

#include <cstdio>
#include <random>

#include <unistd.h>

#include <gtest/gtest.h>

#include "common/binary_file.h"
#include "common/error.h"
#include "model/schedule/period_codec.h"
#include "error_number.h"

namespace quindo {
namespace {

using namespace std::string_literals;

std::string Values(std::initializer_list<int16_t> values) {
  std::string text;
  for (int16_t v : values) text += IntegerToChars(v);
  return text;
}

cTimeSchedule RandomSchedule(std::mt19937& rng) {
  const auto value = [&rng] { return static_cast<int16_t>(rng()); };
  cTimeSchedule s;
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    s.SetActive(d, value() & 1);
    s.SetGrouped(d, value() & 1);
    s.SetAxisOfDayType(d, value());
    for (int n = value() & 3; n > 0; --n) {
      s.Periods(d).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{value(), value()}));
    }
  }
  s.m_UseCalendar = value();
  return s;
}

class ScheduleFileTest : public testing::Test {
 protected:
  // Named by process too: runs of this binary side by side must not share it.
  std::string path_ = testing::TempDir() + "schedule_block_" + std::to_string(::getpid()) + "_" +
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

TEST(TimeScheduleTest, DayTypeOutsideTableRaisesSubscriptErrorAndChangesNothing) {
  cTimeSchedule s;
  int16_t start = 5, stop = 6;
  EXPECT_EQ(ErrorOf([&] { s.GetActive(23); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { s.SetActive(-1, -1); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { s.GetNextTimePeriod(23, start, stop); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { s.Periods(-1); }), kSubscriptOutOfRange);
  EXPECT_EQ(s.ComposePeriodArray(), cTimeSchedule().ComposePeriodArray());
  // Any non-zero state is stored as true.
  EXPECT_EQ(s.SetActive(22, 7), 0);
  EXPECT_EQ(s.GetActive(22), -1);
}

TEST(TimeScheduleTest, GetNextTimePeriodIteratesByIdentity) {
  cTimeSchedule s;
  auto& list = s.Periods(2);
  for (int16_t minute : {60, 60, 900}) {  // equal periods are distinct steps
    list.push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{minute, 30}));
  }
  int16_t start = -7, stop = -7;
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop), list[0]);
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop, list[0]), list[1]);
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop, list[1]), list[2]);
  EXPECT_EQ(start, 900);
  EXPECT_EQ(stop, 30);
  // Past the end, an equal copy that is not in the list, an empty list, or an
  // inactive day type: none, and the out values keep what they had.
  start = stop = -7;
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop, list[2]), nullptr);
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop, std::make_shared<cTimeSchedulePeriod>(*list[0])), nullptr);
  EXPECT_EQ(s.GetNextTimePeriod(0, start, stop), nullptr);
  s.SetActive(2, 0);
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop), nullptr);
  EXPECT_EQ(start, -7);
  EXPECT_EQ(stop, -7);
}

TEST_F(ScheduleFileTest, NewAndDefaultSchedulesGiveExactBytesAndDefaultsAppend) {
  cTimeSchedule s;
  std::string fresh;
  for (int d = 0; d < 23; ++d) fresh += d < 7 ? "\xFF\xFF\0\0\0\0\0\0"s : std::string(8, '\0');
  EXPECT_EQ(s.ComposePeriodArray(), fresh + "\0\0"s);
  EXPECT_EQ(IntegerToChars(-32768) + IntegerToChars(32767), "\x80\x00\x7F\xFF"s);

  s.SetDefaultPeriod();  // Monday to Friday: active, grouped, 07:00-16:00
  const std::string day = "\xFF\xFF\xFF\xFF\x00\x01\x01\xA4\x03\xC0\x00\x00"s;
  EXPECT_EQ(s.ComposePeriodArray(), day + day + day + day + day + fresh.substr(40) + "\0\0"s);
  const std::string block = Save(s);  // the same values, low byte first
  EXPECT_EQ(block.size(), 186u + 4 * 5);
  EXPECT_EQ(block.substr(0, 12), "\xFF\xFF\xFF\xFF\x01\x00\xA4\x01\xC0\x03\x00\x00"s);

  // Once more: the working week gets a second, separate period and is active again.
  s.SetActive(4, 0);
  s.SetDefaultPeriod();
  EXPECT_EQ(s.GetActive(4), -1);
  EXPECT_EQ(s.ComposePeriodArray().size(), 186u + 4 * 10);
  EXPECT_NE(s.Periods(4)[0], s.Periods(4)[1]);
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
  file.Seek(0);
  EXPECT_EQ(ErrorOf([&] { target.ReadFromDisk(file); }), kInputPastEndOfFile);
  EXPECT_EQ(target.ComposePeriodArray(), before);
  EXPECT_EQ(target.Periods(0)[0], held);
}

TEST(PeriodArrayTest, NegativeCountReadsNoPairs) {
  std::string text = Values({-1, 0, -3, 17});  // day type 0: count -3, row 17
  for (int d = 1; d < 23; ++d) text += Values({0, -1, 1, 10, 20, 2});
  text += Values({-1});
  cTimeSchedule s;
  s.ExtractPeriodArray(text);
  EXPECT_TRUE(s.Periods(0).empty());
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

// Reading either form replaces the tables only: the view's selection and the
// clipboard stay, and flags keep whatever value they were stored with (any
// non-zero value means true, and is written back as it was).
TEST_F(ScheduleFileTest, ReadsKeepTheClipboardAndEveryFlagValue) {
  const int16_t odd[] = {1, -2, 7, 32767, -32768};
  std::string text;
  for (int d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    text += Values({odd[d % 5], odd[(d + 2) % 5], 0, static_cast<int16_t>(d)});
  }
  text += Values({3});

  cTimeSchedule from_text;
  from_text.SetSelectedDayType(5);
  from_text.Copy();
  from_text.SetSelectedDayType(9);
  from_text.ExtractPeriodArray(text);
  EXPECT_EQ(from_text.CopiedDayType(), 5);
  EXPECT_EQ(from_text.SelectedDayType(), 9);

  BinaryFile file;
  file.Open(path_, BinaryFile::Mode::kCreate);
  from_text.SaveToDisk(file);
  file.Seek(0);
  cTimeSchedule from_file;
  from_file.SetSelectedDayType(12);
  from_file.Copy();
  from_file.ReadFromDisk(file);
  EXPECT_EQ(from_file.CopiedDayType(), 12);
  EXPECT_EQ(from_file.SelectedDayType(), 12);

  for (const cTimeSchedule* s : {&from_text, &from_file}) {
    for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
      EXPECT_EQ(s->GetActive(d), odd[d % 5]) << d;
      EXPECT_EQ(s->GetGrouped(d), odd[(d + 2) % 5]) << d;
    }
    EXPECT_EQ(s->ComposePeriodArray(), text);
  }
  cTimeSchedule nothing_selected;
  nothing_selected.Copy();
  EXPECT_EQ(nothing_selected.CopiedDayType(), -1);
}

}  // namespace
}  // namespace quindo
