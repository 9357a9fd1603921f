// The agenda of many profiles: the changes in a window in time order, with
// what decided each and the period that began or ended, profiles whose
// schedule decides nothing, and the active stretches; checked on a night
// shift and a holiday, then against a minute-by-minute walk on random
// schedules and calendars.
#include "model/agenda/agenda.h"

#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "error_number.h"
#include "model/calendar/calendar.h"
#include "scheduled_profile.h"

namespace quindo {
namespace {

using Period = std::optional<std::pair<int, int>>;

Period PeriodOf(const ProfileState& s) {
  if (!s.period) return std::nullopt;
  return std::make_pair(int{s.period->m_StartMinute}, int{s.period->m_StopMinute});
}

// 2024-03-06 is a Wednesday (day type 2); the calendar makes Thursday
// 2024-03-07 special day type 1 (calendar 8, schedule day type 7).
class AgendaTest : public testing::Test {
 protected:
  AgendaTest() {
    night_ = ScheduledProfile(7, "Night");
    AddPeriod(*night_, 2, 1320, 1440);
    AddPeriod(*night_, 3, 0, 360);
    day_ = ScheduledProfile(3, "Day");
    day_->m_TimeSchedule->m_UseCalendar = -1;
    day_->m_TimeSchedule->SetActive(7, -1);
    AddPeriod(*day_, 2, 360, 960);
    AddPeriod(*day_, 7, 420, 480);
    always_ = ScheduledProfile(5, "Always");
    always_->m_UseTimeSchedule = 0;
    // Two one-minute periods that touch: no change at 06:00, one at 06:01.
    blip_ = ScheduledProfile(9, "Blip");
    AddPeriod(*blip_, 2, 359, 360);
    AddPeriod(*blip_, 2, 360, 361);
    off_ = ScheduledProfile(4, "Off");
    off_->m_Enabled = 0;
    AddPeriod(*off_, 2, 0, 1440);
    calendar_.SetDayType(DayNumberFromCivil(2024, 3, 7), 8);
  }
  std::unique_ptr<cProfile> night_, day_, always_, off_, blip_;
  cCalendar calendar_;
  const ScheduleTime from_ = At(2024, 3, 6, 6, 0);
  const ScheduleTime to_ = At(2024, 3, 7, 8, 0);
};

TEST_F(AgendaTest, ListsEveryChangeInTheWindowByTimeThenIdentity) {
  const std::vector<const cProfile*> profiles{night_.get(), day_.get(), always_.get(), off_.get(), blip_.get()};
  const struct {
    ScheduleTime time;
    int16_t identity;
    bool active;
    ProfileDecider decided_by;
    std::optional<int16_t> day_type;
    int16_t calendar_day_type;
    Period period;
  } expected[] = {
      // Active from 06:00 and not at 05:59: a change at the window's start.
      {from_, 3, true, ProfileDecider::kWeekday, 2, 0, std::pair{360, 960}},
      {from_, 4, false, ProfileDecider::kDisabled, std::nullopt, 0, std::nullopt},
      {from_, 5, true, ProfileDecider::kNoSchedule, std::nullopt, 0, std::nullopt},
      {At(2024, 3, 6, 6, 1), 9, false, ProfileDecider::kWeekday, 2, 0, std::pair{360, 361}},
      // A change to inactive carries the period that ended.
      {At(2024, 3, 6, 16, 0), 3, false, ProfileDecider::kWeekday, 2, 0, std::pair{360, 960}},
      {At(2024, 3, 6, 22, 0), 7, true, ProfileDecider::kWeekday, 2, 0, std::pair{1320, 1440}},
      // 24:00 runs on into Thursday's 00:00-06:00 without a change.
      {At(2024, 3, 7, 6, 0), 7, false, ProfileDecider::kWeekday, 3, 0, std::pair{0, 360}},
      {At(2024, 3, 7, 7, 0), 3, true, ProfileDecider::kCalendar, 7, 8, std::pair{420, 480}},
      // Its end at 08:00 is the window's end, which is not in it.
  };
  const std::vector<AgendaEntry> agenda = Agenda(profiles, &calendar_, from_, to_);
  ASSERT_EQ(agenda.size(), std::size(expected));
  for (size_t i = 0; i < agenda.size(); ++i) {
    const AgendaEntry& e = agenda[i];
    SCOPED_TRACE(FormatScheduleTime(e.time) + " " + e.name);
    EXPECT_EQ(e.time, expected[i].time);
    EXPECT_EQ(e.disk_identity, expected[i].identity);
    EXPECT_EQ(profiles[e.profile]->m_DiskIdentity, e.disk_identity);
    EXPECT_EQ(e.state.active, expected[i].active);
    EXPECT_EQ(e.state.decided_by, expected[i].decided_by);
    EXPECT_EQ(e.state.day_type, expected[i].day_type);
    EXPECT_EQ(e.state.calendar_day_type, expected[i].calendar_day_type);
    EXPECT_EQ(PeriodOf(e.state), expected[i].period);
  }

  // Stretches of profiles that the walk below does not try (scheduled ones
  // it checks against every minute).
  EXPECT_EQ(ActiveStretches(*always_, &calendar_, from_, to_), (std::vector<ActiveStretch>{{from_, to_}}));
  EXPECT_TRUE(ActiveStretches(*off_, &calendar_, from_, to_).empty());

  // "Who is on now": the disabled profile is off whatever its schedule says.
  EXPECT_FALSE(ProfileStateAt(*off_, &calendar_, At(2024, 3, 6, 12, 0)).active);
  EXPECT_EQ(ProfileNextChange(*off_, &calendar_, from_), std::nullopt);
  EXPECT_EQ(ProfileNextChange(*night_, &calendar_, from_), At(2024, 3, 6, 22, 0));

  // The window runs from 2000 to the end of 2039 at most, and forward only.
  EXPECT_EQ(Agenda(profiles, &calendar_, At(2039, 12, 31, 23, 0), kEndOfCalendar).size(), 2u);
  EXPECT_EQ(Agenda(profiles, &calendar_, {0, 0}, {0, 1}).size(), 2u);
  EXPECT_EQ(ErrorOf([&] { Agenda(profiles, nullptr, from_, {from_.day_number, 1440}); }), kInvalidProcedureCall);
  EXPECT_EQ(FormatScheduleTime(At(2024, 3, 6, 22, 59)), "2024-03-06 22:59");
  EXPECT_EQ(ErrorOf([&] { Agenda(profiles, nullptr, to_, from_); }), kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { Agenda(profiles, nullptr, from_, {kCalendarDays, 1}); }), kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { ActiveStretches(*night_, nullptr, {-1, 0}, to_); }), kInvalidProcedureCall);
}

// Random periods (odd ones included) and calendar days, against asking
// every minute of the window: each change is listed once with its new
// state, an active entry's period covers its minute and an inactive one's
// the minute before, and the stretches are the runs of active minutes.
TEST(AgendaWalkTest, AgreesWithAMinuteByMinuteWalk) {
  std::mt19937 rng(17);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const auto covers = [](const ProfileState& s, int32_t minute) {
    return s.period && s.period->m_StartMinute <= minute && minute < s.period->m_StopMinute;
  };
  for (int round = 0; round < 60; ++round) {
    auto p = ScheduledProfile(static_cast<int16_t>(round), "Random");
    p->m_TimeSchedule->m_UseCalendar = static_cast<int16_t>(pick(0, 1));
    for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
      p->m_TimeSchedule->SetActive(d, pick(0, 3) != 0);
      for (int n = pick(0, 3); n > 0; --n) {
        const int start = pick(-10, 1440);
        AddPeriod(*p, d, static_cast<int16_t>(start), static_cast<int16_t>(pick(0, 5) == 0 ? start : pick(-10, 1446)));
      }
    }
    cCalendar calendar;
    const int32_t first_day = DayNumberFromCivil(2024, 12, 28);
    for (int32_t day = first_day; day < first_day + 5; ++day) {
      calendar.SetDayType(day, static_cast<int16_t>(pick(0, 1) ? pick(8, 12) : 0));
    }
    const ScheduleTime from{first_day + pick(0, 1), pick(0, 1439)};
    const ScheduleTime to = TimeOfMinutes(MinutesOf(from) + pick(1, 3 * 1440));
    const auto active = [&](int32_t minutes) { return IsActiveAt(*p->m_TimeSchedule, &calendar, TimeOfMinutes(minutes)); };

    std::vector<ScheduleTime> changes;
    std::vector<ActiveStretch> stretches;
    for (int32_t t = MinutesOf(from); t < MinutesOf(to); ++t) {
      if (active(t) != active(t - 1)) changes.push_back(TimeOfMinutes(t));
      if (active(t) && (t == MinutesOf(from) || !active(t - 1))) stretches.push_back({TimeOfMinutes(t), to});
      if (!active(t) && t > MinutesOf(from) && active(t - 1)) stretches.back().stop = TimeOfMinutes(t);
    }
    const std::vector<const cProfile*> profiles{p.get()};
    const std::vector<AgendaEntry> agenda = Agenda(profiles, &calendar, from, to);
    ASSERT_EQ(agenda.size(), changes.size()) << "round " << round;
    for (size_t i = 0; i < agenda.size(); ++i) {
      const int32_t t = MinutesOf(agenda[i].time);
      EXPECT_EQ(agenda[i].time, changes[i]) << "round " << round;
      EXPECT_EQ(agenda[i].state.active, active(t)) << "round " << round;
      EXPECT_TRUE(covers(agenda[i].state, agenda[i].state.active ? t % 1440 : (t + 1439) % 1440)) << "round " << round;
    }
    EXPECT_EQ(ActiveStretches(*p, &calendar, from, to), stretches) << "round " << round;
  }
}

}  // namespace
}  // namespace quindo
