#include "ical/all_day_dates.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>

#include <libical/ical.h>

#include "common/error.h"
#include "model/calendar/day_number.h"

namespace quindo::ical {
namespace {

constexpr int kMaxInstancesPerRule = 100000;

struct ComponentDeleter {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

// The day number of a time's date; none for a null time or a date that is
// not real.
std::optional<int32_t> DayOf(icaltimetype t) {
  if (icaltime_is_null_time(t) || !IsRealDate(t.year, t.month, t.day)) return std::nullopt;
  return DayNumberFromCivil(t.year, t.month, t.day);
}

void CollectEvents(icalcomponent* component, std::vector<icalcomponent*>& events) {
  if (icalcomponent_isa(component) == ICAL_VEVENT_COMPONENT) events.push_back(component);
  for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c != nullptr;
       c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
    CollectEvents(c, events);
  }
}

std::string UidOf(icalcomponent* event) {
  const char* uid = icalcomponent_get_uid(event);
  return uid == nullptr ? std::string() : uid;
}

template <typename Each>
void ForEachProperty(icalcomponent* event, icalproperty_kind kind, Each each) {
  for (icalproperty* p = icalcomponent_get_first_property(event, kind); p != nullptr;
       p = icalcomponent_get_next_property(event, kind)) {
    each(p);
  }
}

// The first day of every instance of the event up to the end of 2039.
std::set<int32_t> InstanceStarts(icalcomponent* event, icaltimetype start, int32_t first_day,
                                 const std::set<int32_t>& moved_or_cancelled) {
  std::set<int32_t> starts{first_day};
  ForEachProperty(event, ICAL_RRULE_PROPERTY, [&](icalproperty* p) {
    icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(p), start);
    if (it == nullptr) return;
    for (int n = 0; n < kMaxInstancesPerRule; ++n) {
      const std::optional<int32_t> day = DayOf(icalrecur_iterator_next(it));
      if (!day || *day >= kCalendarDays) break;
      starts.insert(*day);
    }
    icalrecur_iterator_free(it);
  });
  ForEachProperty(event, ICAL_RDATE_PROPERTY, [&](icalproperty* p) {
    const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
    if (const auto day = DayOf(icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time)) {
      starts.insert(*day);
    }
  });
  ForEachProperty(event, ICAL_EXDATE_PROPERTY, [&](icalproperty* p) {
    if (const auto day = DayOf(icalproperty_get_exdate(p))) starts.erase(*day);
  });
  for (int32_t day : moved_or_cancelled) starts.erase(day);
  return starts;
}

// Days an instance lasts: to DTEND (exclusive) or by DURATION, else one.
int32_t LengthInDays(icalcomponent* event, int32_t first_day) {
  const std::optional<int32_t> end = DayOf(icalcomponent_get_dtend(event));
  return end && *end > first_day ? *end - first_day : 1;
}

}  // namespace

AllDayDates ReadAllDayDates(std::string_view ics_text) {
  const std::string text(ics_text);
  std::unique_ptr<icalcomponent, ComponentDeleter> root(icalparser_parse_string(text.c_str()));
  if (!root) throw Error(kInvalidProcedureCall, "The file holds no iCalendar data");
  std::vector<icalcomponent*> events;
  CollectEvents(root.get(), events);

  // Instances that another event of the same UID replaces (RECURRENCE-ID).
  std::map<std::string, std::set<int32_t>> replaced;
  for (icalcomponent* event : events) {
    if (const auto day = DayOf(icalcomponent_get_recurrenceid(event))) replaced[UidOf(event)].insert(*day);
  }

  AllDayDates result;
  std::set<int32_t> dates;
  for (icalcomponent* event : events) {
    const icaltimetype start = icalcomponent_get_dtstart(event);
    const std::optional<int32_t> first_day = DayOf(start);
    if (!first_day || !start.is_date || icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED) {
      ++result.ignored_events;
      continue;
    }
    ++result.events;
    const bool is_replacement = !icaltime_is_null_time(icalcomponent_get_recurrenceid(event));
    static const std::set<int32_t> kNone;
    const std::set<int32_t>& moved = is_replacement ? kNone : replaced[UidOf(event)];
    const int32_t length = LengthInDays(event, *first_day);
    bool any = false;
    for (int32_t instance : InstanceStarts(event, start, *first_day, moved)) {
      for (int32_t day = std::max(instance, 0); day < std::min(instance + length, kCalendarDays); ++day) {
        dates.insert(day);
        any = true;
      }
    }
    if (!any) ++result.skipped_events;
  }
  result.day_numbers.assign(dates.begin(), dates.end());
  return result;
}

}  // namespace quindo::ical
