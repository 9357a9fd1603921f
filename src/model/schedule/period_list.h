#pragma once
// Operations on one day type's list of periods that need neither the rest of
// the schedule nor a view: merging, copying and inverting.

#include <vector>

#include "model/schedule/time_schedule_period.h"
#include "common/export.h"

namespace quindo {

// Merges periods that overlap or touch until none do: a period A swallows
// every later-found B with A.start <= B.start <= A.stop, taking B's stop when
// it is later. The survivor keeps its list position; when B was `selected`,
// A becomes the selected period. Zero-length periods merge into any period
// that reaches them.
QUINDO_EXPORT void MergePeriodList(std::vector<PeriodRef>& periods, PeriodRef& selected);

// New period objects with the same times, in the same order: the copy shares
// nothing with the source, so editing one day never moves another.
QUINDO_EXPORT std::vector<PeriodRef> CopyPeriodList(const std::vector<PeriodRef>& periods);

// The free time of the day 0..1440 as periods, each covering a run of
// minutes no period covers (a period covers start up to, not including, its
// stop). Minute 1440 itself is never covered, so a day whose last period ends
// at 24:00 yields the zero-length period 1440-1440. Times outside the day
// cover nothing beyond it. The result is not merged.
QUINDO_EXPORT std::vector<PeriodRef> InvertPeriodList(const std::vector<PeriodRef>& periods);

}  // namespace quindo
