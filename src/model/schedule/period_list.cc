#include "model/schedule/period_list.h"

#include <algorithm>
#include <array>
#include <memory>

#include "model/schedule/time_text.h"

namespace quindo {
namespace {

PeriodRef NewPeriod(int16_t start, int16_t stop) {
  return std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{start, stop});
}

// One pass: each period A in list order swallows at most one other period,
// the first B (in list order) it reaches. Returns whether anything merged.
bool MergePass(std::vector<PeriodRef>& periods, PeriodRef& selected) {
  bool merged = false;
  for (size_t a = 0; a < periods.size(); ++a) {
    cTimeSchedulePeriod& first = *periods[a];
    for (size_t b = 0; b < periods.size(); ++b) {
      if (b == a) continue;
      const PeriodRef& other = periods[b];
      if (first.m_StartMinute > other->m_StartMinute || first.m_StopMinute < other->m_StartMinute) continue;
      first.m_StopMinute = std::max(first.m_StopMinute, other->m_StopMinute);
      if (other == selected) selected = periods[a];
      periods.erase(periods.begin() + static_cast<std::ptrdiff_t>(b));
      if (b < a) --a;  // A moved up one place; go on with the period after it
      merged = true;
      break;
    }
  }
  return merged;
}

}  // namespace

void MergePeriodList(std::vector<PeriodRef>& periods, PeriodRef& selected) {
  // Every merge removes a period, so the passes end.
  while (MergePass(periods, selected)) {
  }
}

std::vector<PeriodRef> CopyPeriodList(const std::vector<PeriodRef>& periods) {
  std::vector<PeriodRef> copy;
  copy.reserve(periods.size());
  for (const PeriodRef& p : periods) copy.push_back(NewPeriod(p->m_StartMinute, p->m_StopMinute));
  return copy;
}

std::vector<PeriodRef> InvertPeriodList(const std::vector<PeriodRef>& periods) {
  std::array<bool, kMinutesPerDay + 1> used{};
  for (const PeriodRef& p : periods) {
    const int first = std::max<int>(p->m_StartMinute, 0);
    const int end = std::min<int>(p->m_StopMinute, kMinutesPerDay + 1);
    for (int m = first; m < end; ++m) used[m] = true;
  }
  std::vector<PeriodRef> free;
  for (int m = 0; m <= kMinutesPerDay; ++m) {
    if (used[m]) continue;
    const int start = m;
    while (m <= kMinutesPerDay && !used[m]) ++m;
    // A run that reaches past 24:00 ends at 1440; otherwise at the used
    // minute that ends it, which the loop then steps over.
    free.push_back(NewPeriod(static_cast<int16_t>(start), static_cast<int16_t>(std::min(m, kMinutesPerDay))));
  }
  return free;
}

}  // namespace quindo
