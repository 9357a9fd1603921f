#pragma once
// What the record classes that keep one file per record (profiles,
// receivers) share: the file names, the listing of a directory, the bounded
// search for a free identity and the durable replacement of a record file.
//
//   directory + prefix + last four characters of "0000" & identity + ".dat"
//
// 7 -> 0007, 12345 -> 2345 (12345 and 2345 name the same file), -1 -> 00-1.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/language.h"
#include "common/step_recorder.h"
#include "common/export.h"

namespace quindo {

class BinaryFile;

// Raised (in the message only) when every identity is taken.
constexpr int32_t kTooManyFiles = 67;

QUINDO_EXPORT std::string RecordFileName(const std::string& directory, std::string_view prefix,
                           int16_t disk_identity);

// The identities of the files prefix + four decimal digits + ".dat" in the
// directory, ascending. Other names (temporaries, the deleted log,
// "..._00-1.dat") are ignored; a missing or unreadable directory gives none.
QUINDO_EXPORT std::vector<int16_t> ListRecordIdentities(const std::string& directory, std::string_view prefix);

// A free identity for a new record, drawn as round(r x 9990 + 1) with r in
// [0, 1) until no file of that name exists; after 64 misses every identity
// 1..9991 is tried in order. -1 when all are taken (the search is bounded).
QUINDO_EXPORT int16_t FindFreeIdentity(const std::function<std::string(int16_t)>& file_name_of);

// Writes a record file through `write` (which runs its own steps on
// `steps`) and replaces the file durably, as file_replacement.h describes:
// links, permissions and owner kept, a concurrent save of the same record
// waited for. Failures are recorded in `steps`; after any failure the old
// file is byte-identical and the temporary gone. Temporaries of the same
// file left by a killed run are removed first.
QUINDO_EXPORT void SaveRecordFile(const std::string& file_name, StepRecorder& steps,
                    const std::function<void(BinaryFile&, StepRecorder&)>& write);

// Saves a record under `identity` (>= 0: its own file) or, for -1, under a
// new identity: drawn as FindFreeIdentity does, and taken only if no other
// writer created that file meanwhile (else the next free one is drawn).
// `write` writes the record for the identity given. Returns the identity
// the file was written for, with `file_name` set; -1 when every identity is
// taken or 100 drawn identities in a row were taken by others first
// (nothing recorded in `steps`).
QUINDO_EXPORT int16_t SaveRecordFileAs(
    int16_t identity, const std::function<std::string(int16_t)>& file_name_of, StepRecorder& steps,
    const std::function<void(int16_t, BinaryFile&, StepRecorder&)>& write, std::string& file_name);

// The version number at the start of a record file; nullopt when there is
// no file or it is too short to hold one. Raises nothing.
QUINDO_EXPORT std::optional<int16_t> StoredRecordVersion(const std::string& file_name);

QUINDO_EXPORT bool IsDirectory(const std::string& path);

// The language texts of one kind's file messages.
struct RecordFileTexts {
  int save_failed;     // "Could not save" + file + " Err:" + reason
  int load_failed;     // "Could not load" + file + " Err:" + reason
  int converted;       // + " 'file' (version OLD -> NEW)"
  int unknown_version; // "Unknown file version in" + " 'file' (V) " + this text
};

// A record file's save: writes `identity` (or a new identity for -1) as
// SaveRecordFileAs does and reports a failure with the kind's text, naming
// `directory` when every identity is taken. Returns the identity written
// for (-1 when none was free) and sets `saved` when the file was written.
int16_t SaveRecordFileReported(int16_t identity, const std::string& directory,
                               const std::function<std::string(int16_t)>& file_name_of,
                               const RecordFileTexts& texts,
                               const std::function<void(int16_t, BinaryFile&, StepRecorder&)>& write,
                               bool& saved);

// The save of a record class with one file per record (cProfile,
// cReceiver): writes it through `write` under its identity, or under a new
// one when it has none, as SaveRecordFileReported does; then sets
// m_DiskIdentity (an identity drawn for a new record stays even when the
// write failed; -1 when every identity was taken) and
// m_HasUpdatedDiskIdentity, and takes the snapshot after a save that worked.
template <typename Record>
bool SaveRecord(Record& record, const std::string& directory, const RecordFileTexts& texts,
                const std::function<void(int16_t, BinaryFile&, StepRecorder&)>& write) {
  const bool is_new = record.m_DiskIdentity < 0;
  bool saved = false;
  const int16_t identity = SaveRecordFileReported(
      is_new ? int16_t{-1} : record.m_DiskIdentity, directory,
      [&record](int16_t id) { return record.CreateFileName(id); }, texts, write, saved);
  record.m_DiskIdentity = identity;
  record.m_HasUpdatedDiskIdentity = is_new && identity >= 0 ? -1 : 0;
  if (!saved) return false;
  StepRecorder snapshot;
  snapshot.Try([&] { record.RememberOriginalSettings(); });
  return true;
}

struct RecordFileLoad {
  bool opened = false;   // there was a file to read (one of 0 or 1 bytes is not read)
  bool loaded = false;   // the record was read whole
  bool rewrite = false;  // it was of an older version and is to be saved again
};

// A record file's load, around the reading of its record: opens the file
// read-only (loading never creates a file, which would block its identity);
// reads the version; for one of `versions` runs `read` (which reads the
// record and applies it to the object, true when it did), else reports an
// unknown version; reports a conversion of an older version when
// RewriteOldVersionsOnLoad is on; closes the file and, when any step failed,
// reports the last failure and reads as not loaded. A missing file in an
// existing `directory` is a plain "not loaded", a missing directory a
// failure ("Path not found").
RecordFileLoad LoadRecordFile(const std::string& file_name, const std::string& directory,
                              const RecordFileTexts& texts, const std::vector<int16_t>& versions,
                              int16_t current_version,
                              const std::function<bool(BinaryFile&, int16_t version, StepRecorder&)>& read);

// The end of a record class's load: saves a file of an older version again
// (its failure reported by the save itself), takes the snapshot whatever
// happened, and returns whether the record was read.
template <typename Record>
bool FinishRecordLoad(Record& record, const RecordFileLoad& load) {
  if (load.rewrite) record.SaveToDisk();
  StepRecorder snapshot;
  snapshot.Try([&] { record.RememberOriginalSettings(); });
  return load.loaded;
}

// Composes and passes on a message. Like every step of the file operations
// it never raises: a bad row of the language table (error 5) or a failing
// destination skips the message.
template <typename Compose>
void ReportComposed(Compose&& compose) {
  StepRecorder ignored;
  ignored.Try([&] {
    std::string message = compose();
    ReportError(message);
  });
}

}  // namespace quindo
