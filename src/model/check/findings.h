#pragma once
// The check of a directory of records: schedules that never fire or always
// do, holidays on which the weekday decides after all, periods an older save
// left odd, profiles and receivers that point nowhere, and names that two
// profiles share. Plain functions over records already loaded, so that the
// command line and the editor report the same findings.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/export.h"
#include "common/settings.h"

namespace quindo {

class cCalendar;
class cProfile;
class cReceiver;

// In the order the check reports them.
enum class FindingKind {
  kUnreadableFile,
  kNeverActive,
  kAlwaysActive,
  kWeekdayDecides,
  kPeriodBeyondDay,
  kOverlappingPeriods,
  kNoReceivers,
  kDuplicateName,
  kUnknownReceiverType,
  kBackupMissing,
};

// "unreadable-file", "never-active", ... as the command line names them.
QUINDO_EXPORT std::string_view FindingKindName(FindingKind kind);

struct QUINDO_EXPORT Finding {
  FindingKind kind = FindingKind::kNeverActive;
  // The profile's identity, or the receiver's for the receiver kinds and
  // the file's for an unreadable one; none when there is none.
  std::optional<int16_t> disk_identity;
  // Index into CheckInput::profiles for a profile's finding.
  std::optional<size_t> profile;
  std::vector<int32_t> dates;  // day numbers, ascending
  std::string message;
};

struct QUINDO_EXPORT CheckInput {
  std::span<const cProfile* const> profiles;
  std::span<const cReceiver* const> receivers;
  const cCalendar* calendar = nullptr;  // may be null
  // The receiver types to know; an empty table checks no type.
  std::span<const ReceiverType> receiver_types;
  int32_t year = 2000;  // 2000..2039, else error 5
};

// Every finding about the records, by kind, then in the order of the input.
QUINDO_EXPORT std::vector<Finding> CheckRecords(const CheckInput& input);

// The two halves that CheckRecords joins: the schedules' findings
// (schedule_findings.cc) and the receivers' and names' (record_findings.cc).
std::vector<Finding> CheckSchedules(const CheckInput& input);
std::vector<Finding> CheckReceiversAndNames(const CheckInput& input);

// "'Night shift'": a profile or receiver name as messages quote it.
std::string Quoted(std::string_view name);

}  // namespace quindo
