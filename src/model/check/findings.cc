#include "model/check/findings.h"

#include <algorithm>


namespace quindo {

std::string_view FindingKindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::kUnreadableFile: return "unreadable-file";
    case FindingKind::kNeverActive: return "never-active";
    case FindingKind::kAlwaysActive: return "always-active";
    case FindingKind::kWeekdayDecides: return "weekday-decides";
    case FindingKind::kPeriodBeyondDay: return "period-beyond-day";
    case FindingKind::kOverlappingPeriods: return "overlapping-periods";
    case FindingKind::kNoReceivers: return "no-receivers";
    case FindingKind::kDuplicateName: return "duplicate-name";
    case FindingKind::kUnknownReceiverType: return "unknown-receiver-type";
    case FindingKind::kBackupMissing: return "backup-missing";
  }
  return "unknown";
}

std::vector<Finding> CheckRecords(const CheckInput& input) {
  std::vector<Finding> findings = CheckSchedules(input);
  std::vector<Finding> records = CheckReceiversAndNames(input);
  findings.insert(findings.end(), std::make_move_iterator(records.begin()), std::make_move_iterator(records.end()));
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.kind < b.kind; });
  return findings;
}

std::string Quoted(std::string_view name) { return "'" + std::string(name) + "'"; }

}  // namespace quindo
