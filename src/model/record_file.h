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
#include <string>
#include <string_view>
#include <vector>

#include "common/language.h"
#include "common/step_recorder.h"

namespace quindo {

class BinaryFile;

// Raised (in the message only) when every identity is taken.
constexpr int32_t kTooManyFiles = 67;

std::string RecordFileName(const std::string& directory, std::string_view prefix,
                           int16_t disk_identity);

// The identities of the files prefix + four decimal digits + ".dat" in the
// directory, ascending. Other names (temporaries, the deleted log,
// "..._00-1.dat") are ignored; a missing or unreadable directory gives none.
std::vector<int16_t> ListRecordIdentities(const std::string& directory, std::string_view prefix);

// A free identity for a new record, drawn as round(r x 9990 + 1) with r in
// [0, 1) until no file of that name exists; after 64 misses every identity
// 1..9991 is tried in order. -1 when all are taken (the search is bounded).
int16_t FindFreeIdentity(const std::function<std::string(int16_t)>& file_name_of);

// Writes a record file through `write` (which runs its own steps on `steps`)
// into a new temporary file beside it,
// then replaces the file in one durable step (data and rename forced to
// disk). Failures are recorded in `steps`; after any failure the old file is
// byte-identical and the temporary gone. Temporaries of the same file left
// by a killed run are removed first.
void SaveRecordFile(const std::string& file_name, StepRecorder& steps,
                    const std::function<void(BinaryFile&, StepRecorder&)>& write);

bool IsDirectory(const std::string& path);

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
