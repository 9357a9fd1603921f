#include "model/record_file.h"

#include <algorithm>

#include "common/binary_file.h"
#include "common/error.h"
#include "common/file_system.h"
#include "common/numbers.h"

namespace quindo {
namespace {

constexpr std::string_view kSuffix = ".dat";
constexpr int16_t kFirstIdentity = 1;
constexpr int16_t kLastIdentity = 9991;
// Random draws before the search falls back to scanning every identity; with
// half the identities taken, all of them miss with odds of 2^-64.
constexpr int kRandomDraws = 64;

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

void SaveRecordFile(const std::string& file_name, StepRecorder& steps,
                    const std::function<void(BinaryFile&, StepRecorder&)>& write) {
  RemoveStaleTemporaries(file_name);
  const std::string temporary = TemporaryNameFor(file_name);
  BinaryFile file;
  steps.Try([&] { file.Open(temporary, BinaryFile::Mode::kCreate); });
  // After a failed open every write would fail with 52; stopping here keeps
  // the open's own failure as the one reported.
  if (file.IsOpen()) {
    write(file, steps);
    steps.Try([&] { file.Close(); });
  }
  // Forced to disk before the rename: otherwise a power cut can leave the
  // renamed file empty or partial.
  if (!steps.Failed()) steps.Try([&] { SyncFile(temporary); });
  if (!steps.Failed()) steps.Try([&] { RenameFile(temporary, file_name); });
  if (steps.Failed()) {
    // Deleted without asking first (the open may have failed): a hidden
    // name is no record file that an existence test would report.
    StepRecorder cleanup;
    cleanup.Try([&] { DeleteFile(temporary); });
    return;
  }
  // The file is complete either way; a directory that cannot be synced is
  // reported, since the new name may not survive a power cut.
  steps.Try([&] { SyncDirectoryOf(file_name); });
}

bool IsDirectory(const std::string& path) { return DirectoryExists(path); }

bool OpenRecordFileForLoad(const std::string& file_name, const std::string& directory,
                           BinaryFile& file, StepRecorder& steps, int16_t& version) {
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

void FinishRecordFileLoad(const std::string& file_name, int failure_text, BinaryFile& file,
                          StepRecorder& steps, bool& result, bool& rewrite) {
  if (file.IsOpen()) steps.Try([&] { file.Close(); });
  if (!steps.Failed()) return;
  ReportComposed([&] {
    return GetLanguageText(failure_text) + " " + file_name + " Err:" + steps.LastDescription();
  });
  result = false;
  rewrite = false;
}

}  // namespace quindo
