// Editing the week chart on a recording surface: picking and dragging with
// the mouse, typed times, and the popup menu's commands.
#include <gtest/gtest.h>

#include "common/settings.h"
#include "error_number.h"
#include "model/paint/recording_surface.h"
#include "model/schedule/time_schedule.h"
#include "schedule_test_host.h"
#include "scheduled_profile.h"

namespace quindo {
namespace {

using Times = std::vector<std::pair<int, int>>;
constexpr int16_t kLeft = 1;
constexpr int16_t kRight = 2;

// A recalculated chart of a new schedule (Monday to Sunday on rows 0 to 6).
struct Editor : testing::Test {
  cTimeSchedule s;
  ScheduleTestHost host;
  RecordingSurface surface;
  PaintSurface* paint = nullptr;

  void SetUp() override { s.RecalculateAndPrepareToPaint(host, paint, &surface); }
  PeriodRef Add(int16_t day_type, int16_t start, int16_t stop) { return AddPeriod(s, day_type, start, stop); }
  Times Of(int16_t day_type) const {
    Times times;
    for (const PeriodRef& p : s.Periods(day_type)) times.emplace_back(p->m_StartMinute, p->m_StopMinute);
    return times;
  }
  // A point on row `row` at `minute`: one unit per 5 minutes right of x = 30.
  static float X(int minute) { return 30 + minute / 5.0f; }
  static float Y(int row) { return 25.0f * row + 10; }
  void Down(int minute, int row, int16_t button = kLeft) { s.MouseDown(host, paint, button, 0, X(minute), Y(row)); }
  void Move(int minute, int row = 0) { s.MouseMove(host, paint, kLeft, 0, X(minute), Y(row)); }
  void Up() { s.MouseUp(host, paint, kLeft, 0, 0, 0); }
  void Click(int minute, int row) {
    Down(minute, row);
    Up();
  }
  int16_t Pointer() const { return surface.MousePointer(); }
  void Select(int16_t day_type) { s.SetSelectedDayType(day_type); }
  // Whether a line was drawn along the top of the row's bar in the colour:
  // by default the green of a selected period.
  bool DrawsBarLine(int row, Rgb colour = {0, 176, 0}) const {
    for (const PaintOp& op : surface.OpsOf(PaintOp::Kind::kLine)) {
      if (op.y1 == 25 * row + 4 && op.colour == colour) return true;
    }
    return false;
  }
};

TEST_F(Editor, GrabbedStartEdgeDraggedPastTheStopBecomesTheStopEdge) {
  const PeriodRef p = Add(0, 420, 960);
  s.SetGrouped(0, 1);
  s.SetGrouped(3, 1);
  Add(3, 0, 60);
  Down(410, 0);  // 10 minutes from the start
  EXPECT_EQ(s.DragMode(), 1);
  EXPECT_EQ(s.DragMinute(), 420);
  EXPECT_EQ(Pointer(), kPointerSizeWestEast);
  EXPECT_EQ(s.SelectedPeriod(), nullptr);  // 410 lies before the period
  EXPECT_EQ(host.period_start_text, "");
  Move(1000);
  EXPECT_EQ(Of(0), (Times{{960, 1000}}));
  EXPECT_EQ(s.DragMode(), 2);
  EXPECT_EQ(host.period_stop_text, "16:40");
  Move(1100);
  Up();
  EXPECT_EQ(Of(0), (Times{{960, 1100}}));
  EXPECT_EQ(Of(3), Of(0));  // the release spreads the day to its group, as copies
  EXPECT_NE(s.Periods(3)[0], p);
  EXPECT_EQ(s.DragMode(), 0);
  EXPECT_EQ(s.DragPeriod(), nullptr);
  EXPECT_EQ(Pointer(), kPointerDefault);

  Down(1090, 0);  // picks the period and grabs its stop edge
  EXPECT_EQ(s.SelectedPeriod(), p);
  EXPECT_EQ(s.DragMode(), 2);
  EXPECT_EQ(host.period_start_text, "16:00");
  s.MouseMove(host, paint, kLeft, 0, 318.9f, Y(0));  // far right: 24:00, never 1441..1445
  Up();
  EXPECT_EQ(Of(0), (Times{{960, 1440}}));
  EXPECT_EQ(host.shown_time, "24:00");
}

TEST_F(Editor, NewPeriodNeedsSixMinutesAndMergesOnRelease) {
  Add(1, 700, 800);
  Down(600, 1);  // 15 minutes or more from every edge: nothing grabbed
  EXPECT_EQ(s.DragMode(), 3);
  Move(605, 1);
  EXPECT_EQ(Of(1), (Times{{700, 800}}));
  EXPECT_EQ(Pointer(), kPointerDefault);
  Move(594, 1);
  EXPECT_EQ(Of(1), (Times{{700, 800}, {594, 600}}));  // drawn leftwards: swapped
  EXPECT_EQ(s.SelectedPeriod(), s.Periods(1)[1]);
  Move(750, 1);
  surface.Clear();
  Up();
  EXPECT_EQ(Of(1), (Times{{600, 800}}));  // 600-750 reaches the other period
  EXPECT_TRUE(DrawsBarLine(1));  // and the merged bar is painted
  EXPECT_EQ(s.SelectedPeriod(), s.Periods(1)[0]);

  Down(615, 1);  // exactly 15 minutes from the start: not grabbed
  EXPECT_EQ(s.DragMode(), 3);
  Up();
  Down(614, 1);
  EXPECT_EQ(s.DragMode(), 1);
  Up();

  Click(300, 2);  // a click that never moves creates nothing
  EXPECT_TRUE(Of(2).empty());
}

TEST_F(Editor, PressesPickAndGrabOnlyWhatAPeriodCovers) {
  const PeriodRef backwards = Add(0, 900, 100);  // covers nothing: drawn as nothing
  Down(500, 0);
  EXPECT_EQ(s.SelectedPeriod(), nullptr);
  Up();
  Down(905, 0);  // near its stored start: no edge there to grab
  EXPECT_EQ(s.DragMode(), 3);
  Up();
  const PeriodRef early = Add(1, -5, 30);  // covers 00:00-00:30
  Down(20, 1);  // near the stop edge, and inside: picked and grabbed
  EXPECT_EQ(s.SelectedPeriod(), early);
  EXPECT_EQ(s.DragMode(), 2);
  Up();
  Down(10, 1);  // 10 minutes from 00:00, where the bar starts
  EXPECT_EQ(s.DragMode(), 1);
  EXPECT_EQ(s.DragMinute(), 0);
  Up();
  Down(0, 1);  // 00:00 itself is on the chart
  EXPECT_EQ(s.DragMode(), 1);
  Up();
  EXPECT_EQ(Of(0), (Times{{900, 100}}));  // presses alone change nothing
}

TEST_F(Editor, KeyboardSelectsAndAddsAtACursor) {
  const PeriodRef p = Add(1, 420, 960);
  s.SetGrouped(1, 1);
  s.SetGrouped(4, 1);
  surface.Clear();
  EXPECT_TRUE(s.SelectAt(host, paint, 1, 960));  // the stop minute still picks
  EXPECT_TRUE(DrawsBarLine(1));
  EXPECT_EQ(s.SelectedDayType(), 1);
  EXPECT_EQ(s.SelectedPeriod(), p);
  EXPECT_EQ(host.period_start_text, "07:00");
  EXPECT_EQ(host.shown_time, "16:00");
  EXPECT_EQ(s.DragMode(), 0);  // nothing grabbed
  EXPECT_TRUE(s.SelectAt(host, paint, 1, 2000));  // the nearer end of the day
  EXPECT_EQ(s.SelectedPeriod(), nullptr);
  EXPECT_EQ(host.shown_time, "24:00");
  EXPECT_EQ(host.period_start_text, "");
  EXPECT_FALSE(s.SelectAt(host, paint, 7, 100));  // no eighth row
  EXPECT_EQ(s.SelectedDayType(), 1);

  // Either order; merged with what it reaches and spread to the group.
  s.AddPeriodAt(host, paint, 1, 1000, 960);
  EXPECT_EQ(Of(1), (Times{{420, 1000}}));
  EXPECT_EQ(s.SelectedPeriod(), p);
  EXPECT_EQ(host.period_stop_text, "16:40");
  EXPECT_EQ(Of(4), (Times{{420, 1000}}));
  surface.Clear();
  s.AddPeriodAt(host, paint, 0, -30, 60);
  EXPECT_EQ(Of(0), (Times{{0, 60}}));
  EXPECT_TRUE(DrawsBarLine(0));
  EXPECT_TRUE(s.SelectAt(host, paint, 0, 30));
  EXPECT_EQ(s.SelectedDayType(), 0);
  EXPECT_EQ(s.SelectedPeriod(), s.Periods(0)[0]);
  s.AddPeriodAt(host, paint, 2, 300, 300);  // nothing between equal minutes
  s.AddPeriodAt(host, paint, 9, 300, 400);
  EXPECT_TRUE(Of(2).empty());
}

TEST_F(Editor, RowsHitActiveDayTypesOnly) {
  s.m_UseCalendar = 1;
  s.SetActive(2, 0);
  s.SetActive(9, 1);
  s.RecalculateAndPrepareToPaint(host, paint, &surface);  // rows: 0 1 3 4 5 6 9
  const std::pair<float, int> cases[] = {{4.01f, 0}, {25 + 17, 1}, {25 + 28.9f, 1}, {50 + 5, 3},
                                         {150 + 18, 9}, {174.9f, 9}};
  for (auto [y, day_type] : cases) {
    s.MouseDown(host, paint, kRight, 0, 100, y);
    EXPECT_EQ(s.SelectedDayType(), day_type) << y;
  }
  Select(-1);
  const std::pair<float, float> outside[] = {{100, 4}, {100, 175}, {100, -1}, {29.9f, 10}, {319, 10}};
  for (auto [x, y] : outside) s.MouseDown(host, paint, kLeft, 0, x, y);
  EXPECT_EQ(s.SelectedDayType(), -1);
  EXPECT_EQ(s.DragMode(), 0);

  s.m_UseCalendar = 0;  // seven rows but only six active day types
  s.SetActive(9, 0);
  s.RecalculateAndPrepareToPaint(host, paint, &surface);
  Down(100, 6);
  EXPECT_EQ(s.SelectedDayType(), -1);
}

TEST_F(Editor, RightClickPreparesThePopupMenu) {
  for (int16_t d = 0; d < 5; ++d) s.SetGrouped(d, 1);
  Select(0);  // Monday, day type 0, is a copy like any other
  s.Copy();
  Down(100, 2, kRight);
  EXPECT_EQ(host.menu.grouped_mon_fri_checked, -1);
  EXPECT_EQ(host.menu.grouped_checked, -1);
  EXPECT_EQ(host.menu.paste_enabled, true);
  EXPECT_EQ(host.menu.delete_enabled, true);
  for (const int16_t monday : {1, 0}) {  // Monday to Friday and Sunday, then Tuesday to Friday
    s.SetGrouped(0, monday);
    s.SetGrouped(6, monday);
    Down(100, 5, kRight);
    EXPECT_EQ(host.menu.grouped_mon_fri_checked, 0) << monday;
  }
  EXPECT_EQ(s.DragMode(), 0);
}

TEST_F(Editor, TypedTimesAreReadSwappedAndShownBack) {
  const PeriodRef p = Add(0, 100, 200);
  Add(0, 900, 1000);
  Click(150, 0);
  host.period_start_text = "16:00";
  host.period_stop_text = "7";
  s.ExtractTimeFromTextboxes(host, paint);
  EXPECT_EQ(Of(0), (Times{{420, 1000}}));  // merged with 900-1000
  EXPECT_EQ(host.period_start_text, "07:00");
  EXPECT_EQ(host.period_stop_text, "16:00");
  EXPECT_EQ(s.SelectedPeriod(), p);

  host.period_stop_text = "99999999:00";
  EXPECT_EQ(ErrorOf([&] { s.ExtractTimeFromTextboxes(host, paint); }), kOverflow);
  EXPECT_EQ(Of(0), (Times{{420, 1000}}));
  EXPECT_EQ(host.period_start_text, "07:00");

  // Without a selected day (the whole day unselects it) nothing is read.
  s.SetTimeFrom00to24(host, paint);
  host.period_start_text = "1";
  host.period_stop_text = "2";
  EXPECT_EQ(ErrorOf([&] { s.ExtractTimeFromTextboxes(host, paint); }), 0);
  EXPECT_EQ(p->m_StartMinute, 420);
  EXPECT_EQ(host.period_start_text + host.period_stop_text, "12");
}

TEST_F(Editor, DeleteRemovesTheSelectedPeriodAndAlwaysLeavesTheGroup) {
  s.SetGrouped(0, 1);
  Add(0, 100, 200);
  Add(0, 150, 250);  // overlapping, as a file may hold them
  Select(0);
  s.Delete(host, paint);  // no period selected: the day is still merged
  EXPECT_EQ(Of(0), (Times{{100, 250}}));
  EXPECT_EQ(s.GetGrouped(0), 0);
  EXPECT_EQ(s.SelectedDayType(), -1);

  Click(150, 0);
  surface.Clear();
  s.Delete(host, paint);
  EXPECT_TRUE(Of(0).empty());
  EXPECT_TRUE(DrawsBarLine(0, Grey(220)));  // the row's background, painted without it
  EXPECT_EQ(s.SelectedPeriod(), nullptr);
  EXPECT_EQ(host.period_start_text + host.period_stop_text, "");
}

TEST_F(Editor, WholeDayAndInvert) {
  s.SetGrouped(1, 1);
  s.SetGrouped(2, 1);
  Add(1, 420, 960);
  Select(1);
  surface.Clear();
  s.InvertTimeSchedule(host, paint);
  EXPECT_EQ(Of(1), (Times{{0, 420}, {960, 1440}}));
  EXPECT_TRUE(DrawsBarLine(1, Rgb{0, 240, 0}));  // repainted
  EXPECT_EQ(Of(2), Of(1));  // spread to the group
  Select(3);
  s.SetTimeFrom00to24(host, paint);
  EXPECT_EQ(Of(3), (Times{{0, 1440}}));
  EXPECT_EQ(s.SelectedDayType(), -1);
  s.InvertTimeSchedule(host, paint);  // nothing selected: nothing happens
  EXPECT_EQ(Of(3), (Times{{0, 1440}}));
}

TEST_F(Editor, GroupingJoinsTheGroupsPeriods) {
  EXPECT_EQ(ErrorOf([&] { s.Group(host, paint); }), kSubscriptOutOfRange);
  Add(5, 60, 120);
  Add(0, 0, 10);
  Add(0, 5, 30);
  s.SetGrouped(0, 1);
  Select(2);
  s.Group(host, paint);
  EXPECT_EQ(s.GetGrouped(2), -1);
  EXPECT_EQ(Of(2), (Times{{0, 30}}));
  EXPECT_EQ(Of(0), (Times{{0, 10}, {5, 30}}));  // the group itself is untouched
  s.Group(host, paint);
  EXPECT_EQ(s.GetGrouped(2), 0);
  EXPECT_EQ(Of(2), (Times{{0, 30}}));

  Add(0, 480, 720);
  s.GroupMonFri(host, paint);
  for (int16_t d = 0; d < 23; ++d) EXPECT_EQ(s.GetGrouped(d), d < 5 ? -1 : 0) << d;
  for (int16_t d = 1; d < 5; ++d) EXPECT_EQ(Of(d), (Times{{0, 30}, {480, 720}})) << d;
  EXPECT_EQ(Of(5), (Times{{60, 120}}));
  host.grouped_mon_fri_checked = true;
  s.GroupMonFri(host, paint);
  for (int16_t d = 0; d < 23; ++d) EXPECT_EQ(s.GetGrouped(d), 0) << d;
  EXPECT_EQ(Of(4), (Times{{0, 30}, {480, 720}}));
}

TEST_F(Editor, PasteTakesTheCopiedDayAsItIsNow) {
  Add(0, 60, 120);
  Select(0);  // Monday, day type 0, copies and takes a paste like any other
  s.Copy();
  s.Paste(host, paint);  // onto itself
  EXPECT_EQ(Of(0), (Times{{60, 120}}));
  Add(0, 120, 180);
  s.SetGrouped(0, 1);
  s.SetGrouped(4, 1);
  Select(3);
  surface.Clear();
  s.Paste(host, paint);
  EXPECT_EQ(Of(3), (Times{{60, 180}}));
  EXPECT_EQ(s.GetGrouped(3), -1);
  EXPECT_TRUE(DrawsBarLine(3, Rgb{0, 240, 0}));  // and painted
  EXPECT_TRUE(Of(4).empty());  // the rest of the group is not updated
  Add(3, 600, 700);
  s.Copy();
  Select(0);
  s.Paste(host, paint);
  EXPECT_EQ(Of(0), (Times{{60, 180}, {600, 700}}));
}

// An inactive day type has no row: the group operations that reach it must
// not paint it over the row of the next active day type.
TEST_F(Editor, GroupOperationsPaintNoInactiveDayType) {
  DayTypeShortNames()[2] = "Wed";
  s.m_UseCalendar = -1;
  s.SetActive(2, 0);
  s.RecalculateAndPrepareToPaint(host, paint, &surface);  // Thursday on row 2
  Add(0, 420, 960);
  Add(3, 600, 660);
  s.SetGrouped(0, 1);
  s.SetGrouped(2, 1);
  Click(100, 0);
  surface.Clear();
  s.InvertTimeSchedule(host, paint);
  EXPECT_EQ(Of(2), (Times{{0, 420}, {960, 1440}}));  // the data follows the group
  EXPECT_EQ(Of(3), (Times{{600, 660}}));
  for (const PaintOp& op : surface.Ops()) EXPECT_LT(op.y1, 25) << ToString(op);  // Monday's row only

  surface.Clear();
  s.GroupMonFri(host, paint);
  for (const PaintOp& op : surface.OpsOf(PaintOp::Kind::kText)) EXPECT_NE(op.text, "Wed");
  DayTypeShortNames()[2].clear();
}

// A left click unhighlights the selected period on the row it was painted
// on, even when a right click has since selected another row.
TEST_F(Editor, LeftClickRepaintsTheRowOfTheOldSelectedPeriod) {
  Add(0, 420, 960);
  Click(600, 0);
  Down(600, 1, kRight);
  surface.Clear();
  Down(600, 2);
  EXPECT_TRUE(DrawsBarLine(0, Rgb{0, 240, 0}));  // Monday's bar unhighlighted
}

}  // namespace
}  // namespace quindo
