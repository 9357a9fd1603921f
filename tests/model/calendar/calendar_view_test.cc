// The month view on a recording surface: the shown month's facts, the grid
// and date boxes, strips, day-type labels and images, time bars with their
// weekday fallback, painting by mouse and the tooltip.
#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

#include "calendar_test_host.h"
#include "common/language.h"
#include "common/settings.h"
#include "error_number.h"
#include "model/calendar/calendar.h"
#include "model/calendar/calendar_locale.h"
#include "model/calendar/holiday_label.h"
#include "model/paint/recording_surface.h"
#include "model/schedule/time_schedule.h"

namespace quindo {
namespace {

using Kind = PaintOp::Kind;

class CalendarViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.items = CalendarDayTypeItems();
    DayTypeShortNames()[1] = "Di";
    SetLanguageTable("MondayTuesdayWednesdayThursdayFridaySaturdaySunday",
                     {{611, 1, 6}, {612, 7, 7}, {613, 14, 9}, {614, 23, 8},
                      {615, 31, 6}, {616, 37, 8}, {617, 45, 6}});
  }
  void TearDown() override {
    DayTypeShortNames() = {};
    HolidayDays().assign(kHolidayDayCount, 0);
    HolidayLabels().Clear();
    ClearLanguageTable();
  }

  // Shows a month with today pinned to the given date.
  void Show(int32_t year, int32_t month, int32_t today_day_number = 0) {
    calendar.m_SelectedYear = year;
    calendar.m_SelectedMonth = month;
    calendar.RecalculateAndPrepareToPaint(today_day_number + kSerialOfDayZero);
  }
  void Paint() { calendar.Paint(host, &surface, CalendarLocale::Iso8601()); }
  // A holiday on the given day of March 2024 with its label.
  static void AddHoliday(int32_t day, const std::string& label, int16_t view_in_calendar) {
    HolidayDays()[day] = 1;
    auto entry = std::make_shared<cHolidayLabel>();
    entry->m_Day = day;
    entry->m_Label = label;
    entry->m_ViewInCalendar = view_in_calendar;
    HolidayLabels().Add("K" + std::to_string(day), entry);
  }

  // The operations that fall inside one date box's interior.
  std::vector<PaintOp> BoxOps(int row, int column, Kind kind) const {
    const double left = 32 + 40 * column, top = 22 + 25 * row;
    std::vector<PaintOp> found;
    for (const PaintOp& op : surface.OpsOf(kind)) {
      if (op.x1 >= left && op.x1 < left + 37 && op.y1 >= top && op.y1 < top + 22) found.push_back(op);
    }
    return found;
  }

  cCalendar calendar;
  CalendarTestHost host;
  RecordingSurface surface;
};

constexpr int32_t kMarch2024 = 8826;  // day number of 1 March 2024, a Friday

TEST_F(CalendarViewTest, PaintDrawsGridHeadersCaptionWeekNumbersAndBoxes) {
  Show(2024, 3);
  Paint();
  // h = 12: the header band starts at y = 4 (white) and 3 (black).
  std::vector<std::string> lines;
  for (const PaintOp& op : surface.OpsOf(Kind::kLine)) lines.push_back(ToString(op));
  EXPECT_EQ(lines[0], "line 31,4 31,170 rgb(255,255,255)");
  for (const char* line : {"line 30,3 310,3 rgb(0,0,0)", "line 30,170 310,170 rgb(0,0,0)"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }

  const auto texts = surface.OpsOf(Kind::kText);
  ASSERT_GE(texts.size(), 7u + 6u + 31u);
  // Headers: three bold characters (21 units) centred in 40, at y = 18 - h.
  EXPECT_EQ(ToString(texts[0]), "text 39.5,6 \"Mon\" bold");
  EXPECT_EQ(ToString(texts[6]), "text 279.5,6 \"Sun\" bold");
  EXPECT_EQ(host.captions, std::vector<std::string>{"March 2024"});
  // Week numbers of 1, 8, ... 36 March (the last is 5 April), grey, left of the grid.
  for (int r = 0; r < 6; ++r) EXPECT_EQ(texts[7 + r].text, std::to_string(9 + r));
  EXPECT_EQ(ToString(texts[12]), "text 12,151.5 \"14\"");  // x = 30 - 12 - 6
  EXPECT_EQ(texts[12].colour, Grey(109));
  // Day 1 in row 0's Friday cell, day 31 in row 4's Sunday cell.
  EXPECT_EQ(ToString(texts[13]), "text 192,22 \"1\"");
  EXPECT_EQ(ToString(texts[43]), "text 272,122 \"31\"");
  EXPECT_EQ(surface.OpsOf(Kind::kFilledBox).size(), 31u);
  EXPECT_EQ(ToString(surface.OpsOf(Kind::kFilledBox)[0]), "box 192,22 228,43 rgb(255,255,255)");
}

TEST_F(CalendarViewTest, StripsMarkSundaysShownHolidaysAndToday) {
  Show(2024, 3, kMarch2024 + 9);  // today: Sunday 10 March (row 1, column 6)
  AddHoliday(kMarch2024 + 28, "Good Friday", -1);
  AddHoliday(kMarch2024 + 27, "Maundy Thursday", 0);  // not shown in calendars
  Paint();

  const auto holiday = BoxOps(4, 4, Kind::kLine);  // 29 March
  ASSERT_EQ(holiday.size(), 22u);
  EXPECT_EQ(ToString(holiday[0]), "stripe 192,122 206,122 rgb(255,192,192)");
  EXPECT_EQ(ToString(holiday[21]), "stripe 192,143 206,143 rgb(255,129,129)");
  EXPECT_TRUE(BoxOps(4, 3, Kind::kLine).empty());  // 28 March, label not shown
  EXPECT_EQ(BoxOps(0, 6, Kind::kLine).size(), 22u);  // Sunday 3 March
  EXPECT_TRUE(BoxOps(0, 5, Kind::kLine).empty());

  // Today's strip is drawn over the Sunday strip.
  const auto today = BoxOps(1, 6, Kind::kLine);
  ASSERT_EQ(today.size(), 44u);
  EXPECT_EQ(ToString(today[22]), "stripe 272,47 286,47 rgb(0,255,255)");
  EXPECT_EQ(ToString(today[43]), "stripe 272,68 286,68 rgb(0,192,255)");
}

TEST_F(CalendarViewTest, DayTypesShowShortNamesAndImages) {
  Show(2024, 3);
  calendar.SetDayType(kMarch2024 + 4, 2);   // Tuesday on Tuesday 5 March
  calendar.SetDayType(kMarch2024 + 5, 8);   // special 1
  calendar.SetDayType(kMarch2024 + 6, 23);  // special 16
  calendar.SetDayType(kMarch2024 + 7, 24);  // no such type: nothing
  calendar.SetDayType(kMarch2024 + 8, -1);
  Paint();
  const auto tuesday = BoxOps(1, 1, Kind::kText);
  ASSERT_EQ(tuesday.size(), 2u);
  EXPECT_EQ(ToString(tuesday[1]), "text 96,47 \"Di\"");  // 110 - 12 - 2
  EXPECT_EQ(tuesday[1].colour, Grey(0));
  EXPECT_EQ(host.images, (std::vector<std::string>{"1 4711 140 47 1", "16 4711 180 47 1"}));
  EXPECT_EQ(BoxOps(1, 4, Kind::kText).size(), 1u);
}

TEST_F(CalendarViewTest, RecalculationRaisesOnOverflowAndPaintOutsideTheStoreBeforeDrawing) {
  // The time of day does not move today.
  calendar.RecalculateAndPrepareToPaint(kMarch2024 + kSerialOfDayZero + 0.99);
  EXPECT_EQ(calendar.m_TodaysDayOffset, kMarch2024);
  calendar.m_SelectedMonth = 40000;  // not a 16-bit value
  EXPECT_EQ(ErrorOf([&] { calendar.RecalculateAndPrepareToPaint(0); }), kOverflow);

  Show(2040, 1);
  EXPECT_EQ(ErrorOf([&] { Paint(); }), kSubscriptOutOfRange);
  Show(1999, 12);
  EXPECT_EQ(ErrorOf([&] { Paint(); }), kSubscriptOutOfRange);
  EXPECT_TRUE(surface.Ops().empty());
  EXPECT_TRUE(host.captions.empty());
  Show(2039, 12);
  EXPECT_EQ(ErrorOf([&] { Paint(); }), 0);
  EXPECT_EQ(ErrorOf([&] { calendar.Paint(host, nullptr, CalendarLocale::Iso8601()); }), kObjectRequired);
}

class CalendarTimeBarTest : public CalendarViewTest {
 protected:
  void SetUp() override {
    CalendarViewTest::SetUp();
    schedule = std::make_shared<cTimeSchedule>();
    // Friday (4): 07:00-16:00; special day type 2 (schedule 8) inactive;
    // special 3 (schedule 9) active with 00:00-24:00.
    schedule->Periods(4).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{420, 960}));
    // Saturday holds an odd stored period that covers nothing.
    schedule->Periods(5).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{900, 100}));
    schedule->SetActive(9, -1);
    schedule->Periods(9).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{0, 1440}));
    calendar.m_AssociatedTimeSchedule = schedule;
    calendar.m_ShowTimeAxis = -1;
  }
  // The lines of one box's time bar; a period edge at 24:00 lies one unit
  // right of the box, on x = 69 + 40c.
  std::vector<std::string> Bar(int row, int column) const {
    std::vector<std::string> found;
    for (const PaintOp& op : surface.OpsOf(Kind::kLine)) {
      if (op.x1 >= 32 + 40 * column && op.x1 <= 69 + 40 * column && op.y1 >= 39 + 25 * row &&
          op.y1 <= 43 + 25 * row) {
        found.push_back(ToString(op));
      }
    }
    return found;
  }
  std::shared_ptr<cTimeSchedule> schedule;
};

TEST_F(CalendarTimeBarTest, BarsShowTheScheduleOfTheDayTypeOrElseTheWeekday) {
  Show(2024, 3);
  calendar.SetDayType(kMarch2024 + 7, 9);    // Friday 8 March: schedule 8 inactive
  calendar.SetDayType(kMarch2024 + 14, 10);  // Friday 15 March: schedule 9 active
  calendar.SetDayType(kMarch2024 + 21, 100); // past the day types: own weekday
  Paint();
  const std::vector<std::string> friday = {
      "stripe 192,39 229,39 rgb(220,220,220)", "stripe 192,40 229,40 rgb(200,200,200)",
      "stripe 192,41 229,41 rgb(180,180,180)", "stripe 192,42 229,42 rgb(160,160,160)",
      "stripe 192,43 229,43 rgb(140,140,140)", "stripe 203,39 217,39 rgb(0,240,0)",
      "stripe 203,40 217,40 rgb(0,221,0)",     "stripe 203,41 217,41 rgb(0,202,0)",
      "stripe 203,42 217,42 rgb(0,183,0)",     "stripe 203,43 217,43 rgb(0,164,0)",
      "line 203,39 203,44 rgb(128,128,128)", "line 217,39 217,44 rgb(128,128,128)"};
  EXPECT_EQ(Bar(0, 4), friday);
  // 8 and 22 March fall back to Friday's period: its first green line.
  EXPECT_EQ(Bar(1, 4)[5], "stripe 203,64 217,64 rgb(0,240,0)");
  EXPECT_EQ(Bar(3, 4)[5], "stripe 203,114 217,114 rgb(0,240,0)");
  const auto special = Bar(2, 4);
  ASSERT_EQ(special.size(), 12u);
  EXPECT_EQ(special[5], "stripe 192,89 229,89 rgb(0,240,0)");
  EXPECT_EQ(special[11], "line 229,89 229,94 rgb(128,128,128)");
  EXPECT_EQ(Bar(0, 5).size(), 5u);  // Saturday: background only, as its period covers nothing
  // The strips are shorter above the bar.
  EXPECT_EQ(BoxOps(0, 6, Kind::kLine).size(), 16u + 5u);

  calendar.m_ShowTimeAxis = 0;
  surface.Clear();
  Paint();
  EXPECT_TRUE(Bar(0, 4).empty());
}

TEST_F(CalendarViewTest, PressPaintsTheSelectedTypeAndDragPaintsEachDateOnce) {
  Show(2024, 3);
  host.selected = 3;  // "Tuesday": calendar day type 2
  EXPECT_TRUE(calendar.MouseDown(host, &surface, 1, 0, 195, 30));  // 1 March
  EXPECT_EQ(calendar.GetDayType(kMarch2024), 2);
  EXPECT_EQ(ToString(BoxOps(0, 4, Kind::kText).back()), "text 216,22 \"Di\"");
  EXPECT_EQ(calendar.PaintDayType(), 2);

  // Across 1 to 3 March and back, with several moves inside each date: two
  // moves paint, and the last names 1 March's new type.
  int painting_moves = 0;
  for (float x : {196.f, 200.f, 230.f, 240.f, 275.f, 300.f, 280.f, 240.f, 196.f}) {
    painting_moves += calendar.MouseMove(host, &surface, 1, 0, x, 30);
  }
  EXPECT_EQ(painting_moves, 2);
  EXPECT_EQ(surface.ToolTipText(), "Tuesday");
  EXPECT_FALSE(calendar.MouseDown(host, &surface, 1, 0, 235, 30));  // 2 March has the type already
  calendar.MouseUp(1, 0, 240, 30);
  EXPECT_EQ(calendar.GetDayType(kMarch2024 + 1), 2);
  EXPECT_EQ(calendar.GetDayType(kMarch2024 + 2), 2);
  EXPECT_EQ(surface.OpsOf(Kind::kFilledBox).size(), 3u);
  EXPECT_EQ(calendar.MouseButton(), 0);
  EXPECT_EQ(calendar.PaintDayType(), -1);

  // After the release moves paint nothing; a press without a selection neither.
  calendar.MouseMove(host, &surface, 0, 0, 35, 55);
  EXPECT_EQ(calendar.GetDayType(kMarch2024 + 3), 0);
  host.selected = 0;
  EXPECT_FALSE(calendar.MouseDown(host, &surface, 1, 0, 75, 55));
  EXPECT_FALSE(calendar.MouseMove(host, &surface, 1, 0, 115, 55));
  EXPECT_EQ(calendar.GetDayType(kMarch2024 + 4), 0);
  // The first item stands for type 0, the date's own weekday.
  host.selected = 1;
  EXPECT_FALSE(calendar.MouseDown(host, &surface, 2, 0, 75, 55));
  EXPECT_TRUE(calendar.MouseDown(host, &surface, 2, 0, 195, 30));
  EXPECT_EQ(calendar.GetDayType(kMarch2024), 0);
}

TEST_F(CalendarViewTest, TooltipNamesDayTypeAndHolidayAndClearsOffDates) {
  Show(2024, 3);
  calendar.SetDayType(kMarch2024 + 28, 14);
  AddHoliday(kMarch2024 + 27, "Maundy Thursday", 0);  // another day's label comes first
  AddHoliday(kMarch2024 + 28, "Good Friday", 0);

  calendar.MouseMove(host, &surface, 0, 0, 195, 130);  // 29 March
  EXPECT_EQ(surface.ToolTipText(), "Special 7 (Good Friday)");
  calendar.MouseMove(host, &surface, 0, 0, 235, 130);  // 30 March, own weekday
  EXPECT_EQ(surface.ToolTipText(), "");
  calendar.MouseMove(host, &surface, 0, 0, 195, 130);
  EXPECT_FALSE(calendar.MouseMove(host, &surface, 0, 0, 155, 30));  // before 1 March
  EXPECT_EQ(surface.ToolTipText(), "");
  EXPECT_EQ(calendar.LastDayIndex(), -1);

  // A failing host member is skipped; the holiday is still named.
  host.fail_items = true;
  EXPECT_NO_THROW(calendar.MouseMove(host, &surface, 0, 0, 195, 130));
  EXPECT_EQ(surface.ToolTipText(), " (Good Friday)");
  EXPECT_EQ(calendar.LastDayIndex(), 28);
  // So is a missing surface, and a month the store does not hold.
  EXPECT_NO_THROW(calendar.MouseMove(host, nullptr, 0, 0, 235, 130));
  Show(2040, 1);
  EXPECT_NO_THROW(calendar.MouseMove(host, &surface, 1, 0, 195, 30));
}

}  // namespace
}  // namespace quindo
