// The week chart on a recording surface: geometry shared with hit testing,
// sizing of the host's picture and scroll bar, and what a row draws.
#include <gtest/gtest.h>

#include "common/settings.h"
#include "error_number.h"
#include "model/paint/recording_surface.h"
#include "model/schedule/schedule_geometry.h"
#include "model/schedule/time_schedule.h"
#include "schedule_test_host.h"
#include "scheduled_profile.h"

namespace quindo {
namespace {

constexpr Rgb kGreen240{0, 240, 0};
constexpr Rgb kGreen176{0, 176, 0};

// Lines drawn on the bar lines of a row in a colour: "x1-x2" per line.
std::vector<std::string> BarSpans(const RecordingSurface& surface, int32_t row, Rgb colour) {
  std::vector<std::string> spans;
  for (const PaintOp& op : surface.OpsOf(PaintOp::Kind::kLine)) {
    if (op.colour == colour && op.y1 == op.y2 && op.y1 == BarLineY(row, 0)) {
      spans.push_back(std::to_string(int(op.x1)) + "-" + std::to_string(int(op.x2)));
    }
  }
  return spans;
}

struct Chart {
  ScheduleTestHost host;
  RecordingSurface surface;
  PaintSurface* paint_object = nullptr;

  void Prepare(cTimeSchedule& s) { s.RecalculateAndPrepareToPaint(host, paint_object, &surface); }
};

TEST(ScheduleGeometry, MinutesAndPointsMapBothWays) {
  // Five minutes a unit right of x = 30, rounded (2 minutes are 0.4 units);
  // a bar ends where the minute after its stop begins.
  const struct {
    int32_t minute, x, bar_end_x;
  } cases[] = {{0, 30, 30},   {1, 30, 30},     {2, 30, 31},     {3, 31, 31},    {12, 32, 33},
               {-5, 29, 29},  {420, 114, 114}, {960, 222, 222}, {1440, 318, 318}};
  for (const auto& c : cases) {
    EXPECT_EQ(MinuteToX(c.minute, 1.0f), c.x) << c.minute;
    EXPECT_EQ(BarEndX(c.minute, 1.0f), c.bar_end_x) << c.minute;
  }
}

TEST(ScheduleGeometry, AStretchedAxisKeepsItsLabelsAndMapsBack) {
  // The labels left of x = 30 keep their place; the axis is widened from there.
  const struct {
    double unit, stretch, pixel;
  } cases[] = {{10, 2.5, 10}, {30, 2.5, 30}, {318, 2.5, 750}, {320, 2.5, 755}, {174, 1, 174}};
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(StretchedX(c.unit, c.stretch), c.pixel) << c.unit;
    EXPECT_DOUBLE_EQ(UnstretchedX(c.pixel, c.stretch), c.unit) << c.pixel;
  }
  // A picture of 320 units filling 755 pixels; never narrower than its units.
  EXPECT_DOUBLE_EQ(AxisStretchFor(755, 320), 2.5);
  EXPECT_DOUBLE_EQ(AxisStretchFor(320, 320), 1.0);
  EXPECT_DOUBLE_EQ(AxisStretchFor(200, 320), 1.0);
  EXPECT_DOUBLE_EQ(AxisStretchFor(755, 30), 1.0);  // nothing right of the labels to widen
  // A press at the pixel a minute is drawn at finds that minute again,
  // stretched or not.
  for (int32_t minute = 0; minute <= 1440; minute += 5) {
    const double pixel = StretchedX(MinuteToX(minute, 1.0f), 2.5);
    ASSERT_EQ(LocatePoint(static_cast<float>(UnstretchedX(pixel, 2.5)), 10, 7, 1.0f).minute, minute);
  }
}

// The row and column bounds of presses are the editing test's.
TEST(ScheduleGeometry, HitTestBoundsAndTheLastColumnClamp) {
  EXPECT_EQ(LocatePoint(100, 50, 0, 1.0f).minute, kOutsideRows);
  EXPECT_EQ(LocatePoint(30.5f, 10, 7, 1.0f).minute, 2);  // 2.5 to even
  // Past 24:00 inside the last unit column stays at 24:00 (not 1441..1445).
  EXPECT_EQ(LocatePoint(318.9f, 10, 7, 1.0f).minute, 1440);
  EXPECT_EQ(LocatePoint(318.3f, 10, 7, 1.0f).minute, 1440);
  // Before the first recalculation the scale is 0: a division by zero, but
  // only once the point is within the rows and right of the labels.
  EXPECT_EQ(ErrorOf([] { LocatePoint(100, 10, 7, 0.0f); }), kDivisionByZero);
  EXPECT_EQ(ErrorOf([] { LocatePoint(100, 2, 7, 0.0f); }), 0);
  EXPECT_EQ(ErrorOf([] { LocatePoint(10, 10, 7, 0.0f); }), 0);
}

TEST(ScheduleGeometry, RowsOfDayTypes) {
  std::array<int16_t, 23> active{};
  for (int d : {0, 1, 2, 3, 4, 5, 6, 9}) active[d] = -1;
  EXPECT_EQ(DayTypeAtRow(active, 0), 0);
  EXPECT_EQ(DayTypeAtRow(active, 7), 9);
  EXPECT_EQ(DayTypeAtRow(active, 8), -1);
  EXPECT_EQ(DayTypeAtRow(active, -1), -1);
  const auto rows = AssignRows(active);
  EXPECT_EQ(rows[6], 6);
  EXPECT_EQ(rows[7], 7);  // inactive: the next active one's row
  EXPECT_EQ(rows[9], 7);
  EXPECT_EQ(rows[10], 8);
  EXPECT_EQ(rows[22], 8);
}

TEST(SchedulePaint, WeekWithoutCalendarHasSevenRows) {
  cTimeSchedule s;
  s.SetActive(9, 1);  // ignored for the count without the calendar
  s.SetActive(6, 0);
  Chart chart;
  chart.Prepare(s);
  EXPECT_EQ(chart.paint_object, &chart.surface);
  EXPECT_EQ(s.m_NumberOfAxisToPaint, 7);
  // The scroll bar at the frame's right edge; the picture fills the rest.
  EXPECT_EQ(chart.host.picture_left, 0);
  EXPECT_EQ(chart.host.picture_top, 0);
  EXPECT_EQ(chart.host.scroll_left, 320);
  EXPECT_EQ(chart.host.scroll_max, 0);
  EXPECT_EQ(chart.host.picture_width, 320);
  EXPECT_EQ(chart.host.picture_height, 179);

  // A surface already given is kept.
  RecordingSurface other;
  s.RecalculateAndPrepareToPaint(chart.host, chart.paint_object, &other);
  EXPECT_EQ(chart.paint_object, &chart.surface);
}

TEST(SchedulePaint, CalendarRowsFollowActiveDayTypes) {
  cTimeSchedule s;
  s.m_UseCalendar = 1;
  s.SetActive(9, 1);
  Chart chart;
  chart.Prepare(s);
  EXPECT_EQ(s.m_NumberOfAxisToPaint, 8);
  EXPECT_EQ(chart.host.picture_height, 204);
  EXPECT_EQ(chart.host.scroll_max, 4);
  EXPECT_EQ(s.GetAxisOfDayType(9), 7);

  // Special day type 3 shows image 3 left of row 7, centred on the bar:
  // y = round(175 + 4 + (15 - 16) / 2) = round(178.5) = 178 (to even).
  chart.Prepare(s);
  s.Paint(chart.host, chart.paint_object);
  EXPECT_EQ(chart.host.images, (std::vector<std::string>{"3 4711 10 178"}));
  s.SetActive(7, 1);  // special day type 1, the first: an image too, not a label
  chart.Prepare(s);
  chart.host.images.clear();
  s.Paint(chart.host, chart.paint_object);
  EXPECT_EQ(chart.host.images[0], "1 4711 10 178");

  for (int d = 5; d <= 9; ++d) s.SetActive(d, 0);
  chart.Prepare(s);
  EXPECT_EQ(s.m_NumberOfAxisToPaint, 5);
  EXPECT_EQ(chart.host.scroll_max, -8);
  EXPECT_EQ(chart.host.picture_height, 129);
}

TEST(SchedulePaint, GridAndBars) {
  cTimeSchedule s;
  AddPeriod(s, 0, 420, 960);
  AddPeriod(s, 1, 0, 1440);
  const PeriodRef selected = AddPeriod(s, 2, 600, 720);
  AddPeriod(s, 2, 780, 840);
  // Odd stored periods draw only the minutes they cover, as the answers count them.
  AddPeriod(s, 3, 900, 100);   // stop before start: nothing, not 01:40-15:00
  AddPeriod(s, 4, -5, 30);     // clipped to 00:00-00:30
  AddPeriod(s, 5, 1400, 1500); // clipped to 23:20-24:00
  s.SetSelectedPeriod(selected);
  s.SetActive(6, 0);
  Chart chart;
  chart.Prepare(s);
  s.Paint(chart.host, chart.paint_object);
  const auto lines = chart.surface.OpsOf(PaintOp::Kind::kLine);

  // 25 hour lines over the 7 rows, then two separators per row.
  ASSERT_GE(lines.size(), 25u + 14u);
  EXPECT_EQ(ToString(lines[0]), "line 30,0 30,175 rgb(148,148,148)");
  EXPECT_EQ(ToString(lines[24]), "line 318,0 318,175 rgb(148,148,148)");
  EXPECT_EQ(ToString(lines[25]), "line 30,24 318,24 rgb(0,0,0)");
  EXPECT_EQ(ToString(lines[26]), "line 30,25 318,25 rgb(255,255,255)");
  EXPECT_EQ(ToString(lines[38]), "line 30,175 318,175 rgb(255,255,255)");
  // Then Monday's row: the 24:00 mark and the background gradient, whose
  // lines are stripes of one filled area.
  EXPECT_EQ(ToString(lines[39]), "line 318,0 318,25 rgb(148,148,148)");
  EXPECT_EQ(ToString(lines[40]), "stripe 30,4 318,4 rgb(220,220,220)");
  EXPECT_EQ(ToString(lines[54]), "stripe 30,18 318,18 rgb(122,122,122)");
  // The bar: 15 green lines from 114 to 222, darkening by 7, and black ends.
  EXPECT_EQ(ToString(lines[55]), "stripe 114,4 222,4 rgb(0,240,0)");
  EXPECT_EQ(ToString(lines[69]), "stripe 114,18 222,18 rgb(0,142,0)");
  EXPECT_EQ(ToString(lines[70]), "line 114,4 114,19 rgb(0,0,0)");
  EXPECT_EQ(ToString(lines[71]), "line 222,4 222,19 rgb(0,0,0)");

  EXPECT_EQ(BarSpans(chart.surface, 1, kGreen240), (std::vector<std::string>{"30-318"}));
  // The selected period is 64 levels darker than its neighbour.
  EXPECT_EQ(BarSpans(chart.surface, 2, kGreen176), (std::vector<std::string>{"150-174"}));
  EXPECT_EQ(BarSpans(chart.surface, 2, kGreen240), (std::vector<std::string>{"186-198"}));
  EXPECT_TRUE(BarSpans(chart.surface, 3, kGreen240).empty());
  EXPECT_EQ(BarSpans(chart.surface, 4, kGreen240), (std::vector<std::string>{"30-36"}));
  EXPECT_EQ(BarSpans(chart.surface, 5, kGreen240), (std::vector<std::string>{"310-318"}));
  // Sunday is inactive: no row of its own is painted (rows 0..5 only).
  EXPECT_TRUE(BarSpans(chart.surface, 6, Grey(220)).empty());
}

TEST(SchedulePaint, LabelsNamesAndGroupMark) {
  DayTypeShortNames()[0] = "Mo";
  DayTypeNames()[0] = "Monday";
  cTimeSchedule s;
  s.SetGrouped(0, 1);
  Chart chart;
  chart.host.view_day_type = true;
  chart.Prepare(s);
  s.Paint(chart.host, chart.paint_object);
  DayTypeShortNames()[0].clear();
  DayTypeNames()[0].clear();

  // Short name right-aligned 2 units left of the axis, centred on the bar by
  // the height of a digit (12): y = 4 + 1.5. The name is centred over 288.
  const auto texts = chart.surface.OpsOf(PaintOp::Kind::kText);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(ToString(texts[0]), "text 16,5.5 \"Mo\"");
  EXPECT_EQ(ToString(texts[1]), "text 156,5.5 \"Monday\"");  // (288 - 36) / 2 + 30

  std::vector<std::string> mark;
  for (const PaintOp& op : chart.surface.OpsOf(PaintOp::Kind::kLine)) {
    if (op.x1 == 317) mark.push_back(ToString(op));
  }
  EXPECT_EQ(mark, (std::vector<std::string>{
                      "stripe 317,4 312,4 rgb(255,255,255)", "stripe 317,5 313,5 rgb(245,245,245)",
                      "stripe 317,6 314,6 rgb(235,235,235)", "stripe 317,7 315,7 rgb(225,225,225)",
                      "stripe 317,8 316,8 rgb(205,205,205)"}));
}

}  // namespace
}  // namespace quindo
