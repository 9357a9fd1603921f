#include "model/record_file.h"

#include <algorithm>
#include <optional>

#include "common/binary_file.h"
#include "common/error.h"
#include "common/file_replacement.h"
#include "common/file_system.h"
#include "common/numbers.h"
#include "common/settings.h"

namespace quindo {
namespace {

constexpr std::string_view kSuffix = ".dat";
constexpr int16_t kFirstIdentity = 1;
constexpr int16_t kLastIdentity = 9991;
// Random draws before the search falls back to scanning every identity; with
// half the identities taken, all of them miss with odds of 2^-64.
constexpr int kRandomDraws = 64;
// New-record saves that may find their drawn identity taken by another
// writer before the search gives up.
constexpr int kNewRecordAttempts = 100;

}  // namespace

std::string RecordFileName(const std::string& directory, std::string_view prefix,
                           int16_t disk_identity) {
  const std::string padded = "0000" + std::to_string(disk_identity);
  return directory + std::string(prefix) + padded.substr(padded.size() - 4) + std::string(kSuffix);
}

std::vector<int16_t> ListRecordIdentities(const std::string& directory, std::string_view prefix) {
  std::vector<int16_t> identities;
  for (const std::string& name : ListFiles(directory)) {  // ordinary files only
    if (name.size() != prefix.size() + 4 + kSuffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(kSuffix)) {
      continue;
    }
    const std::string_view digits = std::string_view(name).substr(prefix.size(), 4);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      continue;
    }
    identities.push_back(static_cast<int16_t>(std::stoi(std::string(digits))));
  }
  std::sort(identities.begin(), identities.end());
  return identities;
}

int16_t FindFreeIdentity(const std::function<std::string(int16_t)>& file_name_of) {
  for (int draw = 0; draw < kRandomDraws; ++draw) {
    const auto identity = RoundToInteger<int16_t>(Rnd() * (kLastIdentity - kFirstIdentity) + 1);
    if (!FileExists(file_name_of(identity))) return identity;
  }
  for (int16_t identity = kFirstIdentity; identity <= kLastIdentity; ++identity) {
    if (!FileExists(file_name_of(identity))) return identity;
  }
  return -1;
}

namespace {

void SaveThrough(FileReplacement::Target target, const std::string& file_name, StepRecorder& steps,
                 const std::function<void(BinaryFile&, StepRecorder&)>& write) {
  std::optional<FileReplacement> replacement;
  // After a failed start every write would fail with 52; stopping here keeps
  // the start's own failure as the one reported.
  if (!steps.Try([&] { replacement.emplace(file_name, target); })) return;
  write(replacement->File(), steps);
  if (!steps.Failed()) steps.Try([&] { replacement->Commit(); });
  // The temporary goes with the replacement unless it was renamed.
}

}  // namespace

void SaveRecordFile(const std::string& file_name, StepRecorder& steps,
                    const std::function<void(BinaryFile&, StepRecorder&)>& write) {
  SaveThrough(FileReplacement::Target::kExistingOrNew, file_name, steps, write);
}

int16_t SaveRecordFileAs(int16_t identity, const std::function<std::string(int16_t)>& file_name_of,
                         StepRecorder& steps, const std::function<void(int16_t, BinaryFile&, StepRecorder&)>& write,
                         std::string& file_name) {
  const auto write_for = [&](int16_t id) {
    return [&write, id](BinaryFile& file, StepRecorder& write_steps) { write(id, file, write_steps); };
  };
  if (identity >= 0) {
    file_name = file_name_of(identity);
    SaveRecordFile(file_name, steps, write_for(identity));
    return identity;
  }
  // Each lost race leaves one more file, so the search always moves on; the
  // bound only guards against a name that never stops being taken.
  for (int attempt = 0; attempt < kNewRecordAttempts; ++attempt) {
    const int16_t drawn = FindFreeIdentity(file_name_of);
    if (drawn < 0) return -1;
    file_name = file_name_of(drawn);
    StepRecorder attempt_steps;
    SaveThrough(FileReplacement::Target::kNewOnly, file_name, attempt_steps, write_for(drawn));
    if (attempt_steps.LastNumber() != kFileAlreadyExists) {
      if (attempt_steps.Failed()) steps.Record(attempt_steps.LastNumber(), attempt_steps.LastDescription());
      return drawn;
    }
  }
  // Every draw lost its race. The last drawn file is another writer's, so
  // the record stays new rather than take (and later overwrite) it.
  return -1;
}

std::optional<int16_t> StoredRecordVersion(const std::string& file_name) {
  StepRecorder steps;
  std::optional<int16_t> version;
  steps.Try([&] {
    BinaryFile file;
    file.Open(file_name, BinaryFile::Mode::kRead);
    if (file.Length() >= 2) version = file.ReadInt16();
  });
  return version;
}

bool IsDirectory(const std::string& path) { return DirectoryExists(path); }

namespace {

// The opening of a record file's load. False when there is nothing to read:
// a missing file in an existing directory (no failure recorded) or a file
// of 0 or 1 bytes. True otherwise, with `version` 0 when the file could not
// be opened (its failure recorded).
bool OpenRecordFileForLoad(const std::string& file_name, const std::string& directory, BinaryFile& file,
                           StepRecorder& steps, int16_t& version) {
  version = 0;  // what an unopenable file reads as
  const bool opened = steps.Try([&] { file.Open(file_name, BinaryFile::Mode::kRead); });
  const bool missing = !opened && steps.LastNumber() == kFileNotFound;
  if (missing && IsDirectory(directory)) {
    steps.Clear();
    return false;
  }
  if (opened && file.Length() <= 1) return false;
  if (missing) steps.Record(kPathNotFound, DescriptionOf(kPathNotFound));
  if (opened) steps.Try([&] { version = file.ReadInt16(); });
  return true;
}

}  // namespace

int16_t SaveRecordFileReported(int16_t identity, const std::string& directory,
                               const std::function<std::string(int16_t)>& file_name_of,
                               const RecordFileTexts& texts,
                               const std::function<void(int16_t, BinaryFile&, StepRecorder&)>& write,
                               bool& saved) {
  StepRecorder steps;
  std::string file_name;
  const int16_t written = SaveRecordFileAs(identity, file_name_of, steps, write, file_name);
  saved = written >= 0 && !steps.Failed();
  if (written < 0) {
    ReportComposed([&] {
      return GetLanguageText(texts.save_failed) + " " + directory +
             " Err:" + Error(kTooManyFiles, "Too many files").Description();
    });
  } else if (steps.Failed()) {
    ReportComposed(
        [&] { return GetLanguageText(texts.save_failed) + " " + file_name + " Err:" + steps.LastDescription(); });
  }
  return written;
}

RecordFileLoad LoadRecordFile(const std::string& file_name, const std::string& directory,
                              const RecordFileTexts& texts, const std::vector<int16_t>& versions,
                              int16_t current_version,
                              const std::function<bool(BinaryFile&, int16_t version, StepRecorder&)>& read) {
  RecordFileLoad load;
  StepRecorder steps;
  BinaryFile file;
  int16_t version = 0;
  load.opened = OpenRecordFileForLoad(file_name, directory, file, steps, version);
  if (load.opened) {
    if (std::find(versions.begin(), versions.end(), version) != versions.end()) {
      load.loaded = read(file, version, steps);
      // Without the rewrite nothing is converted, so there is nothing to tell.
      if (load.loaded && version != current_version && RewriteOldVersionsOnLoad()) {
        ReportComposed([&] {
          return GetLanguageText(texts.converted) + " '" + file_name + "' (version " + std::to_string(version) +
                 " -> " + std::to_string(current_version) + ")";
        });
        load.rewrite = true;
      }
    } else {
      ReportComposed([&] {
        return GetLanguageText(803) + " '" + file_name + "' (" + std::to_string(version) + ") " +
               GetLanguageText(texts.unknown_version);
      });
    }
  }
  // A file of 0 or 1 bytes is not read: not loaded, with no message of its own.
  if (file.IsOpen()) steps.Try([&] { file.Close(); });
  if (steps.Failed()) {
    // A file that could not be read whole is never replaced.
    ReportComposed([&] {
      return GetLanguageText(texts.load_failed) + " " + file_name + " Err:" + steps.LastDescription();
    });
    load.loaded = false;
    load.rewrite = false;
  }
  return load;
}

}  // namespace quindo
