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
// taken (nothing recorded in `steps`).
QUINDO_EXPORT int16_t SaveRecordFileAs(
    int16_t identity, const std::function<std::string(int16_t)>& file_name_of, StepRecorder& steps,
    const std::function<void(int16_t, BinaryFile&, StepRecorder&)>& write, std::string& file_name);

// The version number at the start of a record file; nullopt when there is
// no file or it is too short to hold one. Raises nothing.
QUINDO_EXPORT std::optional<int16_t> StoredRecordVersion(const std::string& file_name);

QUINDO_EXPORT bool IsDirectory(const std::string& path);

// The opening of a record file's load: opens `file_name` read-only (loading
// never creates a file, which would block its identity) and reads the
// version. False when there is nothing to read: a missing file in an
// existing `directory` (a plain False, no failure recorded) or a file of 0 or
// 1 bytes. True otherwise, with `version` 0 when the file could not be opened
// (its failure recorded, and a missing directory as "Path not found").
bool OpenRecordFileForLoad(const std::string& file_name, const std::string& directory,
                           BinaryFile& file, StepRecorder& steps, int16_t& version);

// The end of a record file's load: closes the file and, when any step
// failed, reports language text `failure_text` with the file name and the
// last failure, and clears `result` and `rewrite` (a file that could not be
// read whole is never replaced).
void FinishRecordFileLoad(const std::string& file_name, int failure_text, BinaryFile& file,
                          StepRecorder& steps, bool& result, bool& rewrite);

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
