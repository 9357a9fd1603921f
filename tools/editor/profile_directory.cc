#include "tools/editor/profile_directory.h"

#include <array>

#include "common/error.h"
#include "common/file_system.h"
#include "common/language.h"
#include "common/settings.h"
#include "model/profile/profile_naming.h"

namespace quindo {

namespace {

constexpr int16_t kTrue = -1;

ReportErrorHandler& ThreadDestination() {
  thread_local ReportErrorHandler destination;
  return destination;
}

// Collects what ReportError receives on this thread while it lives, passing
// it on to the thread's destination too, which it restores at the end.
class MessageCollector {
 public:
  explicit MessageCollector(std::string& into) {
    SetReportErrorHandler([&into](const std::string& message) {
      if (!into.empty()) into += '\n';
      into += message;
      if (ThreadDestination()) ThreadDestination()(message);
    });
  }
  ~MessageCollector() { SetReportErrorHandler(ThreadDestination()); }
};

using Rows = std::array<int16_t, cTimeSchedule::kDayTypes>;

void SetRows(cTimeSchedule& schedule, const Rows& rows) {
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) schedule.SetAxisOfDayType(d, rows[d]);
}

}  // namespace

void SetReportDestination(ReportErrorHandler handler) {
  ThreadDestination() = std::move(handler);
  SetReportErrorHandler(ThreadDestination());
}

void UseDataDirectory(const std::string& directory) {
  std::string with_slash = directory;
  if (!with_slash.empty() && with_slash.back() != '/') with_slash += '/';
  DataDirectory() = with_slash;
  NestedProfileNames() = -1;
}

RecordThreadSettings RecordThreadSettings::OfThisThread() {
  return {DataDirectory(), NestedProfileNames(), RedundancyRole(), ActiveCodePage(), CurrentLanguageTable()};
}

void RecordThreadSettings::ApplyToThisThread() const {
  DataDirectory() = data_directory;
  NestedProfileNames() = nested_profile_names;
  RedundancyRole() = redundancy_role;
  SetActiveCodePage(code_page);
  SetLanguageTable(language.first, language.second);
}

LoadedProfile LoadProfileFile(int16_t identity) {
  LoadedProfile loaded;
  loaded.identity = identity;
  auto profile = std::make_unique<cProfile>();
  bool ok = false;
  {
    MessageCollector collect(loaded.messages);
    ok = profile->LoadFromDisk(identity);
  }
  // After the load, which may have rewritten an old version.
  loaded.stamp = FileStamp::Of(profile->CreateFileName(identity));
  if (ok && profile->m_TimeSchedule != nullptr) {
    loaded.profile = std::move(profile);
  } else if (loaded.messages.empty()) {
    // Files of 0 or 1 bytes load as False without a message of their own.
    loaded.messages = "Profile file " + profile->CreateFileName(identity) + " is empty or unreadable";
  }
  return loaded;
}

ProfileDirectory::WrittenRows ProfileDirectory::RowsOf(const cProfile* profile) {
  WrittenRows written;
  if (profile == nullptr || profile->m_TimeSchedule == nullptr) return written;
  const cTimeSchedule& schedule = *profile->m_TimeSchedule;
  written.known = true;
  written.use_calendar = schedule.m_UseCalendar != 0;
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    written.rows[d] = schedule.GetAxisOfDayType(d);
    written.active[d] = schedule.GetActive(d) != 0;
  }
  return written;
}

void ProfileDirectory::Add(LoadedProfile loaded) {
  const WrittenRows written = RowsOf(loaded.profile.get());
  entries_[loaded.identity] = Entry{std::move(loaded.profile), std::move(loaded.messages), loaded.stamp, written};
}

cProfile* ProfileDirectory::Find(int16_t key) const {
  const auto found = entries_.find(key);
  return found == entries_.end() ? nullptr : found->second.profile.get();
}

const std::string& ProfileDirectory::Messages(int16_t key) const {
  static const std::string none;
  const auto found = entries_.find(key);
  return found == entries_.end() ? none : found->second.messages;
}

std::vector<int16_t> ProfileDirectory::Keys() const {
  std::vector<int16_t> keys;
  keys.reserve(entries_.size());
  for (const auto& [key, entry] : entries_) keys.push_back(key);
  return keys;
}

std::string ProfileDirectory::FileOf(int16_t identity) const { return cProfile().CreateFileName(identity); }

int16_t ProfileDirectory::AddDraft(std::unique_ptr<cProfile> profile) {
  profile->m_DiskIdentity = -1;
  if (profile->m_TimeSchedule == nullptr) profile->m_TimeSchedule = std::make_shared<cTimeSchedule>();
  const int16_t key = next_draft_key_--;
  entries_[key] = Entry{std::move(profile), {}, {}, {}};
  return key;
}

int16_t ProfileDirectory::NewDraft(const std::string& name) {
  auto profile = std::make_unique<cProfile>();
  profile->SetName(name);
  profile->m_Enabled = 0;
  profile->m_UseTimeSchedule = kTrue;
  profile->m_TimeSchedule = std::make_shared<cTimeSchedule>();
  profile->m_TimeSchedule->SetDefaultPeriod();
  return AddDraft(std::move(profile));
}

int16_t ProfileDirectory::DuplicateAsDraft(int16_t key) {
  const cProfile* source = Find(key);
  if (source == nullptr) return kNoProfile;
  auto copy = std::make_unique<cProfile>();
  try {
    copy->CopyFrom(*source);
  } catch (const Error& e) {
    std::string message = "Duplicate of '" + source->GetName() + "' failed: " + e.Description();
    ReportError(message);
    return kNoProfile;
  }
  copy->SetName(source->GetName() + " (copy)");
  copy->m_Enabled = 0;
  return AddDraft(std::move(copy));
}

int16_t ProfileDirectory::Resolve(int16_t key) const {
  const auto found = renamed_.find(key);
  return found == renamed_.end() ? key : found->second;
}

bool ProfileDirectory::ChangedOnDisk(int16_t key) const {
  const auto found = entries_.find(key);
  if (found == entries_.end() || IsDraftKey(key)) return false;
  return FileStamp::Of(FileOf(key)).Differs(found->second.stamp);
}

int16_t ProfileDirectory::Save(int16_t key) {
  const auto found = entries_.find(key);
  if (found == entries_.end() || found->second.profile == nullptr) return kNoProfile;
  Entry& entry = found->second;
  cProfile& profile = *entry.profile;
  cTimeSchedule& schedule = *profile.m_TimeSchedule;
  const WrittenRows shown = RowsOf(&profile);
  // The chart shows the same rows when the same day types are active and
  // the calendar is used or not as before: then the loaded rows are kept.
  const bool rows_put_back = entry.written.known && entry.written.use_calendar == shown.use_calendar &&
                             entry.written.active == shown.active;
  if (rows_put_back) SetRows(schedule, entry.written.rows);
  const WrittenRows writing = RowsOf(&profile);
  const bool ok = profile.SaveToDisk();
  if (rows_put_back) {
    SetRows(schedule, shown.rows);
    // The chart's rows are no change of the user's.
    if (ok) profile.RememberOriginalSettings();
  }
  if (!ok) {
    if (IsDraftKey(key)) profile.m_DiskIdentity = -1;  // the number drawn is not its until a save succeeds
    return kNoProfile;
  }
  entry.written = writing;
  entry.stamp = FileStamp::Of(FileOf(profile.m_DiskIdentity));
  if (!IsDraftKey(key)) return key;
  const int16_t identity = profile.m_DiskIdentity;
  entries_[identity] = std::move(entry);
  entries_.erase(key);
  renamed_[key] = identity;
  return identity;
}

bool ProfileDirectory::Reload(int16_t key) {
  if (!Contains(key) || IsDraftKey(key)) return false;
  LoadedProfile loaded = LoadProfileFile(key);
  if (loaded.profile == nullptr) return false;  // its messages went to the destination
  Add(std::move(loaded));
  return true;
}

bool ProfileDirectory::Remove(int16_t key) {
  const auto found = entries_.find(key);
  if (found == entries_.end()) return false;
  if (IsDraftKey(key)) {
    entries_.erase(found);
    return true;
  }
  cProfile scratch;
  cProfile& profile = found->second.profile ? *found->second.profile : scratch;
  profile.RemoveFromDisk(key);
  // The file may have been unreadable or gone already: what counts is that
  // it no longer exists.
  if (FileExists(profile.CreateFileName(key))) return false;
  if (RedundancyRole() != 0) profile.StoreInDeletedFileForRedundantPartner(key);
  entries_.erase(found);
  return true;
}

ProfileDirectory::DiskChanges ProfileDirectory::ScanDisk() const {
  DiskChanges changes;
  const std::vector<int16_t> on_disk = ListStoredProfileIdentities();
  auto held = entries_.lower_bound(0);
  for (int16_t identity : on_disk) {
    for (; held != entries_.end() && held->first < identity; ++held) changes.removed.push_back(held->first);
    if (held != entries_.end() && held->first == identity) {
      if (FileStamp::SizeAndTimeOf(FileOf(identity)).DiffersInSizeOrTime(held->second.stamp)) {
        changes.changed.push_back(identity);
      }
      ++held;
    } else {
      changes.added.push_back(identity);
    }
  }
  for (; held != entries_.end(); ++held) changes.removed.push_back(held->first);
  return changes;
}

}  // namespace quindo
