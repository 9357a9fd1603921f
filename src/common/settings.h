#pragma once
// Process-wide settings and tables shared by the record classes. Each thread
// that uses the library has its own copy (they are module data of the
// library's procedures). Nothing in the library assigns them: programs that
// share the record classes set them, and the classes only read them.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/export.h"
#include "common/keyed_collection.h"

namespace quindo {

class cProfile;
class cReceiver;
class cHolidayLabel;

// Prefix of every record file path; empty means the current directory. A
// non-empty value ends with "/", since the rest of the path is appended.
QUINDO_EXPORT std::string& DataDirectory();
// 1 or 2 switch the deleted-records logs on.
QUINDO_EXPORT int16_t& RedundancyRole();
// Non-zero: "@" in a profile name separates nesting levels.
QUINDO_EXPORT int16_t& NestedProfileNames();
// True (the default): a load of a profile or receiver file of an older
// version rewrites it in the current version, as stored files and callers
// expect. False loads it as it is and writes nothing, for looking without
// touching (a read-only mount, an administrator's inspection).
QUINDO_EXPORT bool& RewriteOldVersionsOnLoad();

// Created empty on first use; profiles and receivers by "K" + identity.
QUINDO_EXPORT KeyedCollection<cProfile>& ProfileCollection();
QUINDO_EXPORT KeyedCollection<cReceiver>& ReceiverCollection();

struct ReceiverType {
  int16_t type_id = 0;
  std::string type_name;
  std::string protocol;
  std::string template_file;  // settings file, relative to DataDirectory
};
constexpr int kReceiverTypeRows = 300;
QUINDO_EXPORT std::array<ReceiverType, kReceiverTypeRows>& ReceiverTypes();
QUINDO_EXPORT int16_t& NumberOfReceiverTypes();

// Day numbers count days since 1 January 2000; 2000..2039 has 14,610 days.
constexpr int kHolidayDayCount = 14610;
QUINDO_EXPORT std::vector<int16_t>& HolidayDays();
QUINDO_EXPORT KeyedCollection<cHolidayLabel>& HolidayLabels();

// Labels of the 23 schedule day types, empty until a host fills them.
constexpr int kDayTypeCount = 23;
QUINDO_EXPORT std::array<std::string, kDayTypeCount>& DayTypeShortNames();
QUINDO_EXPORT std::array<std::string, kDayTypeCount>& DayTypeNames();

}  // namespace quindo
