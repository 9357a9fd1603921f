#pragma once

#include "common/export.h"
// The labels of the schedule's day types. The record classes keep the two
// process-wide tables empty; a view fills them for itself from the language
// file: short names (the first three characters of the weekday names, texts
// 611..617) for the rows of Monday to Sunday, and full names for all 23 day
// types (special day type k is text 618 followed by k).

namespace quindo {

// Fills the entries of DayTypeNames and DayTypeShortNames that are still
// empty, so a host that set its own texts keeps them. A thread without a
// language table gets the built-in English texts first (built_in_texts.h),
// which the views' other texts then use too; texts that a loaded table lacks
// stay empty.
QUINDO_EXPORT void FillDayTypeNamesFromLanguage();

}  // namespace quindo
