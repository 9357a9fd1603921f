#pragma once
// The profiles of one data directory as the editor holds them: every file
// under DIR/Profiles by identity, loaded or marked unreadable with the
// message its load gave, each with the stamp of its file as it was read or
// last written; and the drafts, profiles that have no file yet (new,
// duplicated, imported), which nothing on disk sees until their first save.
// Save, reload and delete go through the profile's own file operations,
// whose failures reach ReportError; the caller sees the result and the
// record stays in memory as it was, so a failed save loses nothing.
//
// Keys: a stored profile's key is its identity (the number in its file
// name); a draft's key is kFirstDraftKey or below until its first save
// gives it an identity (Resolve follows that change).

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/language.h"
#include "model/profile/profile.h"
#include "tools/editor/file_stamp.h"

namespace quindo {

constexpr int16_t kNoProfile = -1;
constexpr int16_t kFirstDraftKey = -2;
inline bool IsDraftKey(int16_t key) { return key <= kFirstDraftKey; }

// One file's outcome; a null profile means unreadable.
struct LoadedProfile {
  int16_t identity = -1;
  std::unique_ptr<cProfile> profile;
  std::string messages;  // what the load reported, one message a line
  FileStamp stamp;       // the file as it was after the load
};

// Where this thread's ReportError messages go (the editor's log); use this
// rather than SetReportErrorHandler, so that loads can collect a file's
// messages and still pass them on.
void SetReportDestination(ReportErrorHandler handler);
// Points this thread's record classes at `directory` (a "/" is added when
// missing) and turns on "@" nesting of profile names.
void UseDataDirectory(const std::string& directory);

// The settings the record classes read, which every thread has its own copy
// of: taken on the window's thread and given to a thread that loads records,
// so that its files, names and messages are those of the program.
struct RecordThreadSettings {
  std::string data_directory;
  int16_t nested_profile_names = 0;
  int16_t redundancy_role = 0;
  CodePage code_page = CodePage::kWindows1252;
  std::pair<std::string, std::vector<LanguageTextRow>> language;

  static RecordThreadSettings OfThisThread();
  void ApplyToThisThread() const;
};

// Loads one profile file on the calling thread, collecting its messages.
LoadedProfile LoadProfileFile(int16_t identity);

class ProfileDirectory {
 public:
  void Clear() { entries_.clear(), renamed_.clear(); }
  // Adds a loaded file, or replaces the record of that identity.
  void Add(LoadedProfile loaded);

  // Null for an unknown key or an unreadable file.
  cProfile* Find(int16_t key) const;
  bool Contains(int16_t key) const { return entries_.count(key) != 0; }
  bool IsDraft(int16_t key) const { return IsDraftKey(key) && Contains(key); }
  const std::string& Messages(int16_t key) const;
  // Drafts first, then stored profiles by identity.
  std::vector<int16_t> Keys() const;
  size_t Size() const { return entries_.size(); }

  // A draft from a profile (an import, a copy); its disk identity is
  // dropped, so the first save draws a new one. Returns its key.
  int16_t AddDraft(std::unique_ptr<cProfile> profile);
  // A new, disabled profile with the default schedule, used.
  int16_t NewDraft(const std::string& name);
  // A deep copy (CopyFrom) named "… (copy)", disabled so that it forwards
  // nothing twice until the user enables it; kNoProfile when the copy fails.
  int16_t DuplicateAsDraft(int16_t key);
  // The key a record has now: a saved draft's identity for its draft key,
  // any other key itself.
  int16_t Resolve(int16_t key) const;

  // True when a stored profile's file is no longer as it was loaded or last
  // saved (size, modification time or content), or is gone.
  bool ChangedOnDisk(int16_t key) const;
  // Saves the profile; a draft gets its identity. Returns the record's key
  // after the save, kNoProfile on failure (the record unchanged in memory).
  // Rows of the week chart are view state that the schedule stores: unless
  // the day types shown changed, the rows that were loaded are written back.
  int16_t Save(int16_t key);
  // Reads the file again, dropping the changes; false when it no longer
  // loads (the record is then kept as it was) and for a draft.
  bool Reload(int16_t key);
  // Deletes the file and forgets the record (a draft is only forgotten).
  // With a redundancy role the deletion is logged for the partner too.
  bool Remove(int16_t key);

  // Forgets a record whose file is gone, touching no file.
  void Forget(int16_t key) { entries_.erase(key); }

  // What changed on disk since the records were read or written.
  struct DiskChanges {
    std::vector<int16_t> changed;  // stored and held, file differs
    std::vector<int16_t> added;    // files not held
    std::vector<int16_t> removed;  // held, file gone
  };
  DiskChanges ScanDisk() const;

 private:
  // The week chart's rows as the file holds them, and what decided them.
  struct WrittenRows {
    bool known = false;
    std::array<int16_t, cTimeSchedule::kDayTypes> rows{};
    std::array<bool, cTimeSchedule::kDayTypes> active{};
    bool use_calendar = false;
  };
  struct Entry {
    std::unique_ptr<cProfile> profile;
    std::string messages;
    FileStamp stamp;
    WrittenRows written;
  };
  static WrittenRows RowsOf(const cProfile* profile);
  std::string FileOf(int16_t identity) const;

  std::map<int16_t, Entry> entries_;
  std::map<int16_t, int16_t> renamed_;  // saved drafts: draft key -> identity
  int16_t next_draft_key_ = kFirstDraftKey;
};

}  // namespace quindo
