#pragma once
// The values that commands take from their arguments, checked alike: a
// value a command cannot take raises CommandError (status 2) naming the
// argument ("--year must be a year of 2000..2039, not "1999"").

#include <cstdint>
#include <string>

#include "model/schedule/schedule_answers.h"

namespace quindo::records {

// A whole number in lo..hi: "WHAT must be a whole number in lo..hi, not
// "TEXT"" ("of at least lo" for hi INT64_MAX).
int64_t WholeNumberArgument(const std::string& text, int64_t lo, int64_t hi, const std::string& what);

// A record's file number 0..9999: "WHAT must be a number in 0..9999, not "TEXT"".
int16_t IdentityArgument(const std::string& text, const std::string& what = "ID");

// "YYYY-MM-DD", a real date of 2000..2039, as its calendar day number.
int32_t DateArgument(const std::string& text, const std::string& what);

// A year of the calendar, 2000..2039.
int32_t YearArgument(const std::string& text, const std::string& what);

// A wall-clock minute: "YYYY-MM-DD HH:MM" (a real date of 2000..2039 and a
// time 00:00..23:59), or now, the current minute.
ScheduleTime WallClockArgument(const std::string& text, const std::string& what);

// The text of an input document: standard input for "-" or no name, else
// the named file (at most `limit` bytes). A file that cannot be read raises
// CommandError (status 2) naming it.
std::string ReadInputDocument(const std::string& name, size_t limit);

}  // namespace quindo::records
