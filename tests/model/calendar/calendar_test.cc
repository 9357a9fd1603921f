// The calendar: day numbers against the C library's calendar, the day store
// and its bounds, the calendar file on a real file system (layout, short and
// long files, hidden ones) and the comparisons. A failed save is the atomic
// save's test.
#include <ctime>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "common/file_system.h"
#include "disk_files.h"
#include "error_number.h"
#include "model/calendar/calendar.h"

namespace quindo {
namespace {

namespace fs = std::filesystem;

TEST(DayNumberTest, MatchesTheCLibraryCalendarOnEveryDay) {
  std::tm first{};
  first.tm_year = 100;  // 2000
  first.tm_mday = 1;
  const time_t day0 = ::timegm(&first);
  for (int32_t n = 0; n < kCalendarDays; ++n) {
    const time_t t = day0 + static_cast<time_t>(n) * 86400;
    std::tm tm{};
    ::gmtime_r(&t, &tm);
    const CivilDateTime c = CivilFromDayNumber(n);
    ASSERT_EQ(c.year * 10000 + c.month * 100 + c.day,
              (tm.tm_year + 1900) * 10000 + (tm.tm_mon + 1) * 100 + tm.tm_mday) << n;
    ASSERT_EQ(DayNumberFromCivil(c.year, c.month, c.day), n);
    ASSERT_EQ(CalendarDayOf(c.year, c.month, c.day), n);
    ASSERT_EQ(WeekdayOfDayNumber(n), (tm.tm_wday + 6) % 7) << n;
  }
}

TEST(DayNumberTest, OnlyRealDatesInsideTheFortyYearsHaveADay) {
  // Every month length of every year, leap years included, against timegm's
  // normalisation (a day past the month's end rolls into the next month).
  for (int32_t year = 1999; year <= 2040; ++year) {
    for (int32_t month = 1; month <= 12; ++month) {
      for (int32_t day = 28; day <= 32; ++day) {
        std::tm tm{};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = day;
        ::timegm(&tm);
        const bool real = tm.tm_mday == day;
        ASSERT_EQ(IsRealDate(year, month, day), real) << year << "-" << month << "-" << day;
        const bool inside = real && year >= 2000 && year <= 2039;
        ASSERT_EQ(CalendarDayOf(year, month, day).has_value(), inside);
      }
    }
  }
  EXPECT_FALSE(IsRealDate(2100, 2, 29));
  EXPECT_FALSE(IsRealDate(2024, 13, 1) || IsRealDate(2024, 0, 1) || IsRealDate(2024, 1, 0));
}

TEST(CalendarTest, StoreKeepsAnyValueInsideTheFortyYearsRaisesOutsideAndComparesEveryDay) {
  auto calendar = std::make_shared<cCalendar>();
  for (int32_t day = 0; day < cCalendar::kDays; ++day) ASSERT_EQ(calendar->GetDayType(day), 0);

  calendar->SetDayType(0, -1);
  calendar->SetDayType(14609, 100);
  calendar->SetDayType(7, INT16_MIN);
  EXPECT_EQ(calendar->GetDayType(0), -1);
  EXPECT_EQ(calendar->GetDayType(14609), 100);
  EXPECT_EQ(calendar->GetDayType(7), INT16_MIN);

  for (int32_t day : {-1, 14610, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(ErrorOf([&] { calendar->SetDayType(day, 5); }), kSubscriptOutOfRange) << day;
    EXPECT_EQ(ErrorOf([&] { calendar->GetDayType(day); }), kSubscriptOutOfRange) << day;
  }

  EXPECT_EQ(calendar->IsDayTypeUsed(0), 0);
  EXPECT_EQ(calendar->IsDayTypeUsed(22), 0);
  EXPECT_EQ(ErrorOf([&] { calendar->IsDayTypeUsed(23); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { calendar->IsDayTypeUsed(-1); }), kSubscriptOutOfRange);

  // Comparing sees every day up to the last.
  cCalendar a, b;
  EXPECT_EQ(a.CompareToOtherCalendar(b), -1);
  b.SetDayType(14609, 1);
  EXPECT_EQ(a.CompareToOtherCalendar(b), 0);
  EXPECT_EQ(b.CompareToOtherCalendar(a), 0);
  a.SetDayType(14609, 1);
  EXPECT_EQ(a.CompareToOtherCalendar(b), -1);
}

class CalendarFileTest : public DataDirectoryTest {
 protected:
  CalendarFileTest() : DataDirectoryTest(".") {}
  void SetUp() override { DataDirectoryTest::SetUp(); path_ = dir_ + "/Holidays.cal"; }
  std::string path_;
};

TEST_F(CalendarFileTest, FileHoldsEveryDayLittleEndianInDayOrderAndReplacesALongerOneWhole) {
  WriteBytes(path_, std::string(40000, '\x7F'));
  cCalendar calendar;
  EXPECT_EQ(calendar.SaveToDisk(path_), -1);
  EXPECT_EQ(ReadBytes(path_), std::string(29220, '\0'));

  calendar.SetDayType(0, 8);
  calendar.SetDayType(1, 0x0102);
  calendar.SetDayType(14609, -2);
  EXPECT_EQ(calendar.SaveToDisk(path_), -1);
  const std::string bytes = ReadBytes(path_);
  ASSERT_EQ(bytes.size(), 29220u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x08\x00\x02\x01", 4));
  EXPECT_EQ(bytes.substr(29218), std::string("\xFE\xFF", 2));

  cCalendar loaded;
  EXPECT_EQ(loaded.ReadFromDisk(path_), -1);
  EXPECT_EQ(loaded.CompareToOtherCalendar(calendar), -1);
  EXPECT_EQ(loaded.GetDayType(14609), -2);
  // No temporary file is left beside the calendar.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(CalendarFileTest, ShortFileRaisesReadPastEndAndChangesNoDay) {
  std::string good(29220, '\0');
  good[0] = 4;
  for (size_t size : {0ul, 1ul, 2ul, 29218ul, 29219ul}) {
    WriteBytes(path_, good.substr(0, size));
    cCalendar calendar;
    calendar.SetDayType(0, 7);
    EXPECT_EQ(ErrorOf([&] { calendar.ReadFromDisk(path_); }), kInputPastEndOfFile) << size;
    EXPECT_EQ(calendar.GetDayType(0), 7);
    EXPECT_EQ(ErrorOf([&] { calendar.CompareToDiskOrSeeIfAnyDayIsSet(path_); }), kInputPastEndOfFile);
  }
  // A longer file gives its first 29,220 bytes.
  WriteBytes(path_, good + "tail");
  cCalendar calendar;
  EXPECT_EQ(calendar.ReadFromDisk(path_), -1);
  EXPECT_EQ(calendar.GetDayType(0), 4);
  EXPECT_EQ(calendar.CompareToDiskOrSeeIfAnyDayIsSet(path_), -1);
}

TEST_F(CalendarFileTest, CompareAgainstTheFileOrAgainstAnEmptyCalendar) {
  cCalendar calendar;
  // Without a file: true while every day is 0, and no file appears.
  EXPECT_EQ(calendar.CompareToDiskOrSeeIfAnyDayIsSet(path_), -1);
  calendar.SetDayType(14609, 2);
  EXPECT_EQ(calendar.CompareToDiskOrSeeIfAnyDayIsSet(path_), 0);
  EXPECT_FALSE(fs::exists(path_));

  calendar.SaveToDisk(path_);
  EXPECT_EQ(calendar.CompareToDiskOrSeeIfAnyDayIsSet(path_), -1);
  calendar.SetDayType(14609, 3);
  EXPECT_EQ(calendar.CompareToDiskOrSeeIfAnyDayIsSet(path_), 0);
  calendar.SetDayType(14609, 2);
  calendar.SetDayType(0, -1);
  EXPECT_EQ(calendar.CompareToDiskOrSeeIfAnyDayIsSet(path_), 0);
}

TEST_F(CalendarFileTest, OnlyOrdinaryVisibleFilesExistAndAreRead) {
  WriteBytes(dir_ + "/.hidden", std::string(29220, '\x01'));
  fs::create_directory(dir_ + "/.d");
  WriteBytes(dir_ + "/.d/visible", "x");
  EXPECT_TRUE(FileExists(dir_ + "/.d/visible"));  // only the name itself counts
  for (const std::string& name : {path_, dir_ + "/.hidden", dir_, dir_ + "/", std::string(),
                                  std::string(5000, 'a'), std::string("/dev/null")}) {
    EXPECT_FALSE(FileExists(name)) << name;
  }

  cCalendar calendar;
  calendar.SetDayType(5, 3);
  EXPECT_EQ(calendar.ReadFromDisk(path_), 0);
  EXPECT_EQ(calendar.ReadFromDisk(dir_ + "/.hidden"), 0);
  EXPECT_EQ(calendar.GetDayType(5), 3);
  EXPECT_EQ(calendar.GetDayType(6), 0);
  EXPECT_FALSE(fs::exists(path_));
}

}  // namespace
}  // namespace quindo
