#pragma once
// Times of day as the schedule view shows and reads them: whole minutes after
// midnight, 0 to 1440, written "HH:MM".

#include <cstdint>
#include <string>
#include <string_view>
#include "common/export.h"

namespace quindo {

constexpr int32_t kMinutesPerDay = 1440;

// Two hour digits, ":" and two minute digits: 420 -> "07:00", 1440 -> "24:00".
// Each part keeps its last two characters, as the view always showed them.
QUINDO_EXPORT std::string TimeText(int32_t minute);

// A time as a user types it, in minutes 0..1440:
// - with a separator (the first of ":", ".", ",", " ", "-", "+" that occurs)
//   the hours stand before it and the minutes after it: "7:30", "7+30";
// - without one, a text shorter than three characters that does not start
//   with "0" gives whole hours ("7" -> 07:00), otherwise the last four digits
//   are HHMM ("730" -> 07:30, "07" -> 00:07).
// Pieces that are not numbers count as 0 and the total is clamped to the day,
// so only a total beyond the 32-bit range fails: error 6.
QUINDO_EXPORT int32_t ParseTimeText(std::string_view text);
// The minutes such a text stands for before they are kept within the day
// ("25:00" gives 1500), so that a caller can tell the user what was cut.
QUINDO_EXPORT double TypedMinutes(std::string_view text);

}  // namespace quindo
