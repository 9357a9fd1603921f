// Typed and shown times, and the list operations behind the editing
// commands: merging, copying and inverting a day's periods.
#include <gtest/gtest.h>

#include "common/error.h"
#include "error_number.h"
#include "model/schedule/period_list.h"
#include "model/schedule/time_text.h"

namespace quindo {
namespace {

using Times = std::vector<std::pair<int, int>>;

std::vector<PeriodRef> List(const Times& times) {
  std::vector<PeriodRef> list;
  for (auto [start, stop] : times) {
    list.push_back(std::make_shared<cTimeSchedulePeriod>(
        cTimeSchedulePeriod{static_cast<int16_t>(start), static_cast<int16_t>(stop)}));
  }
  return list;
}

Times TimesOf(const std::vector<PeriodRef>& list) {
  Times times;
  for (const PeriodRef& p : list) times.emplace_back(p->m_StartMinute, p->m_StopMinute);
  return times;
}

TEST(TimeTextTest, TypedTimesFollowTheSeparatorAndDigitRules) {
  const std::pair<const char*, int> cases[] = {
      {"7", 420},      {"730", 450},     {"07", 7},        {"7:30", 450},   {"7.30", 450},
      {"7,30", 450},   {"7 30", 450},    {"7-30", 450},    {"7+30", 450},   {"25", 1440},
      {"-5", 5},       {"", 0},          {"12", 720},      {"0730", 450},   {"12345", 1425},
      {"24:00", 1440}, {"24:01", 1440},  {"abc", 0},       {"7:xx", 420},   {"7:30.5", 450},
      {"7:30.6", 451}, {"7.5:10", 460},  {"-1:00", 0},     {"1:-70", 0},    {"9:99", 639},
      {" 7", 7},       {"0", 0},         {"\xC3\xA9", 0},  {"1\xC3\xA9", 60},
  };
  for (auto [text, minutes] : cases) EXPECT_EQ(ParseTimeText(text), minutes) << '"' << text << '"';
}

TEST(TimeTextTest, OnlyATotalBeyondThe32BitRangeOverflows) {
  EXPECT_EQ(ParseTimeText("35791394:0"), 1440);  // 35791394 x 60 still fits
  EXPECT_EQ(ErrorOf([] { ParseTimeText("35791395:0"); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { ParseTimeText("0:99999999999999999999"); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { ParseTimeText(std::string(400, '9') + ":0"); }), kOverflow);
}

TEST(TimeTextTest, ShownTimesKeepTwoDigitsPerPart) {
  EXPECT_EQ(TimeText(7) + TimeText(420) + TimeText(1445), "00:0707:0024:05");
}

// The selection, given as an index into the list before, ends on the
// period at that index before (the survivor that took it over).
TEST(PeriodListTest, MergeJoinsOverlappingAndTouchingPeriodsInPlace) {
  struct Case {
    Times before, after;
    int selected = -1, selected_after = -1;
  } cases[] = {
      {{{480, 720}, {720, 960}}, {{480, 960}}},                   // touching
      {{{720, 960}, {480, 720}}, {{480, 960}}},                   // survivor is the earlier start
      {{{480, 600}, {500, 550}}, {{480, 600}}},                   // contained
      {{{480, 600}, {480, 700}}, {{480, 700}}},                   // same start
      {{{100, 200}, {300, 400}}, {{100, 200}, {300, 400}}},       // a gap stays
      {{{600, 600}, {500, 700}}, {{500, 700}}},                   // zero length swallowed
      {{{900, 1000}, {0, 100}, {50, 950}}, {{0, 1000}}},          // needs a second pass
      {{{300, 400}, {0, 10}, {400, 500}, {10, 20}}, {{300, 500}, {0, 20}}},
      {{{1000, 900}, {950, 980}}, {{1000, 900}, {950, 980}}},     // stop before start: left alone
      {{{480, 720}, {600, 960}, {1000, 1100}}, {{480, 960}, {1000, 1100}}, 1, 0},  // to the survivor
      {{{480, 720}, {600, 960}, {1000, 1100}}, {{480, 960}, {1000, 1100}}, 2, 2},  // untouched
  };
  for (const Case& c : cases) {
    const auto before = List(c.before);
    auto list = before;
    PeriodRef selected = c.selected < 0 ? nullptr : before[c.selected];
    MergePeriodList(list, selected);
    EXPECT_EQ(TimesOf(list), c.after);
    EXPECT_EQ(selected, c.selected_after < 0 ? nullptr : before[c.selected_after]);
  }
}

TEST(PeriodListTest, InvertGivesTheFreeRunsOfTheDay) {
  struct Case {
    Times before, after;
  } cases[] = {
      {{{420, 960}}, {{0, 420}, {960, 1440}}},
      {{}, {{0, 1440}}},
      {{{0, 1440}}, {{1440, 1440}}},
      {{{0, 60}, {60, 120}}, {{120, 1440}}},
      {{{100, 100}}, {{0, 1440}}},                     // zero length covers nothing
      {{{-50, 10}, {1400, 1445}}, {{10, 1400}}},  // beyond the day
      {{{900, 100}}, {{0, 1440}}},                     // stop before start covers nothing
  };
  for (const Case& c : cases) EXPECT_EQ(TimesOf(InvertPeriodList(List(c.before))), c.after);
}

}  // namespace
}  // namespace quindo
