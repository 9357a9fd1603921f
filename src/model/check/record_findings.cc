// The records' findings: profiles that use their schedule but name no
// receiver, profile names that two profiles share, and receivers whose type
// or backup receiver the directory lacks.

#include <algorithm>
#include <map>
#include <string>

#include "common/code_page.h"
#include "model/check/findings.h"
#include "model/profile/profile.h"
#include "model/receiver/receiver.h"

namespace quindo {
namespace {

bool Blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

void NoReceivers(const CheckInput& input, std::vector<Finding>& out) {
  for (size_t i = 0; i < input.profiles.size(); ++i) {
    const cProfile& p = *input.profiles[i];
    if (p.m_UseTimeSchedule == 0 || !Blank(p.m_ParallellReceivers) || !Blank(p.m_SequentialReceivers)) continue;
    out.push_back({FindingKind::kNoReceivers, p.m_DiskIdentity, i, {},
                   Quoted(p.GetName()) + " uses its schedule but names no parallel and no sequential receivers"});
  }
}

// Names are compared as the profile tree finds them: without regard to case.
void DuplicateNames(const CheckInput& input, std::vector<Finding>& out) {
  std::map<std::string, std::vector<size_t>> by_name;
  for (size_t i = 0; i < input.profiles.size(); ++i) {
    const std::string& name = input.profiles[i]->GetName();
    if (!name.empty()) by_name[UpperCase(name)].push_back(i);
  }
  for (size_t i = 0; i < input.profiles.size(); ++i) {
    const cProfile& p = *input.profiles[i];
    if (p.GetName().empty()) continue;
    const std::vector<size_t>& same = by_name[UpperCase(p.GetName())];
    if (same.size() < 2) continue;
    std::string others;
    for (size_t j : same) {
      if (j != i) others += (others.empty() ? "" : ", ") + std::to_string(input.profiles[j]->m_DiskIdentity);
    }
    out.push_back({FindingKind::kDuplicateName, p.m_DiskIdentity, i, {},
                   Quoted(p.GetName()) + " is also the name of profile " + others + " (case aside)"});
  }
}

void UnknownTypes(const CheckInput& input, std::vector<Finding>& out) {
  if (input.receiver_types.empty()) return;
  for (const cReceiver* r : input.receivers) {
    const int16_t type = r->GetReceiverTypeId();
    const bool known = std::any_of(input.receiver_types.begin(), input.receiver_types.end(),
                                   [type](const ReceiverType& t) { return t.type_id == type; });
    if (known) continue;
    out.push_back({FindingKind::kUnknownReceiverType, r->m_DiskIdentity, std::nullopt, {},
                   "receiver " + Quoted(r->m_ReceiverName) + " has type " + std::to_string(type) +
                       ", which the receiver type table lacks"});
  }
}

void MissingBackups(const CheckInput& input, std::vector<Finding>& out) {
  std::map<std::string, bool> enabled_by_name;  // any receiver of that name enabled
  for (const cReceiver* r : input.receivers) enabled_by_name[UpperCase(r->m_ReceiverName)] |= r->m_Enabled != 0;
  for (const cReceiver* r : input.receivers) {
    if (Blank(r->m_BackupReceiver)) continue;
    const auto found = enabled_by_name.find(UpperCase(r->m_BackupReceiver));
    if (found != enabled_by_name.end() && found->second) continue;
    out.push_back({FindingKind::kBackupMissing, r->m_DiskIdentity, std::nullopt, {},
                   "receiver " + Quoted(r->m_ReceiverName) + " names the backup receiver " +
                       Quoted(r->m_BackupReceiver) +
                       (found == enabled_by_name.end() ? ", which is no receiver of the directory"
                                                       : ", which is disabled")});
  }
}

}  // namespace

std::vector<Finding> CheckReceiversAndNames(const CheckInput& input) {
  std::vector<Finding> findings;
  NoReceivers(input, findings);
  DuplicateNames(input, findings);
  UnknownTypes(input, findings);
  MissingBackups(input, findings);
  return findings;
}

}  // namespace quindo
