#pragma once
// The profiles of one data directory as the editor holds them: every file
// under DIR/Profiles by identity, loaded or marked unreadable with the
// message its load gave. New, duplicate, save, reload and delete go through
// the profile's own file operations, whose failures reach ReportError; the
// caller sees the flag and the record stays in memory as it was, so a
// failed save loses nothing.
//
// The record classes read the data directory from a per-thread setting:
// UseDataDirectory sets it for the calling thread, and every thread that
// touches the files (the UI thread, the loader) calls it.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/language.h"
#include "model/profile/profile.h"

namespace quindo {

// One file's outcome; a null profile means unreadable.
struct LoadedProfile {
  int16_t identity = -1;
  std::unique_ptr<cProfile> profile;
  std::string messages;  // what the load reported, one message a line
};

// Where this thread's ReportError messages go (the editor's log); use this
// rather than SetReportErrorHandler, so that loads can collect a file's
// messages and still pass them on.
void SetReportDestination(ReportErrorHandler handler);
// Points this thread's record classes at `directory` (a "/" is added when
// missing) and turns on "@" nesting of profile names.
void UseDataDirectory(const std::string& directory);
// Loads one profile file on the calling thread, collecting its messages.
LoadedProfile LoadProfileFile(int16_t identity);

class ProfileDirectory {
 public:
  void Clear() { entries_.clear(); }
  void Add(LoadedProfile loaded);

  // Null for an unknown identity or an unreadable file.
  cProfile* Find(int16_t identity) const;
  bool Contains(int16_t identity) const { return entries_.count(identity) != 0; }
  const std::string& Messages(int16_t identity) const;
  std::vector<int16_t> Identities() const;
  size_t Size() const { return entries_.size(); }

  // A new profile (default schedule, enabled) saved at once so that it has
  // its file and identity; -1 when the save failed (nothing is kept).
  int16_t CreateNew(const std::string& name);
  // A deep copy (CopyFrom) under a new identity, saved at once; -1 on failure.
  int16_t Duplicate(int16_t identity);
  // A profile from elsewhere (an import) saved at once under a new
  // identity; -1 on failure.
  int16_t AddNew(std::unique_ptr<cProfile> profile);
  // Saves the profile; false (the record unchanged in memory) on failure.
  bool Save(int16_t identity);
  // Reads the file again, dropping the changes; false when it no longer
  // loads (the record is then kept as it was).
  bool Reload(int16_t identity);
  // Deletes the file and forgets the record. With a redundancy role the
  // deletion is logged for the partner too.
  bool Remove(int16_t identity);

 private:
  struct Entry {
    std::unique_ptr<cProfile> profile;
    std::string messages;
  };
  std::map<int16_t, Entry> entries_;
};

}  // namespace quindo
