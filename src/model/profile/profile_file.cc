// Saving and loading a profile file: the version number, the profile record
// (layout in profile_record.h) and the schedule block.
//
// Both operations try every step and decide from the last recorded failure;
// the caller sees only the flag, and a failure message goes to ReportError.

#include <atomic>
#include <unistd.h>

#include "common/binary_file.h"
#include "common/dates.h"
#include "common/error.h"
#include "common/file_system.h"
#include "common/language.h"
#include "common/numbers.h"
#include "common/step_recorder.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"
#include "model/profile/profile_record.h"

namespace quindo {
namespace {

// Identities drawn for new profiles: round(r x 9990 + 1) with r in [0, 1).
constexpr int16_t kFirstIdentity = 1;
constexpr int16_t kLastIdentity = 9991;
// Random draws before the search falls back to scanning every identity; with
// half the identities taken, all of them miss with odds of 2^-64.
constexpr int kRandomDraws = 64;
// Raised when every identity is taken.
constexpr int32_t kTooManyFiles = 67;

// Composes and passes on a message. Like every step of the file operations it
// cannot make them raise: a bad row of the language table (error 5) or a
// failing destination skips the message.
template <typename Compose>
void Report(Compose&& compose) {
  StepRecorder ignored;
  ignored.Try([&] {
    std::string message = compose();
    ReportError(message);
  });
}

// A free identity (no file of its name exists), or -1 when all are taken.
int16_t FindFreeIdentity(const cProfile& profile) {
  for (int draw = 0; draw < kRandomDraws; ++draw) {
    const auto identity = RoundToInteger<int16_t>(Rnd() * (kLastIdentity - kFirstIdentity) + 1);
    if (!FileExists(profile.CreateFileName(identity))) return identity;
  }
  for (int16_t identity = kFirstIdentity; identity <= kLastIdentity; ++identity) {
    if (!FileExists(profile.CreateFileName(identity))) return identity;
  }
  return -1;
}

// A name in the file's own directory (so that the rename replaces the file
// in one step) that can never be taken for a profile file: it starts with
// a dot and does not end in ".dat".
std::string TemporaryNameFor(const std::string& file_name) {
  static std::atomic<uint64_t> counter{0};
  const size_t slash = file_name.rfind('/');
  const size_t base = slash == std::string::npos ? 0 : slash + 1;
  return file_name.substr(0, base) + "." + file_name.substr(base) + ".tmp-" +
         std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

bool cProfile::SaveToDisk() {
  if (m_DiskIdentity < 0) {
    const int16_t identity = FindFreeIdentity(*this);
    if (identity < 0) {
      m_HasUpdatedDiskIdentity = 0;
      Report([] {
        return GetLanguageText(980) + " " + ProfilesDirectory() + " Err:" +
               Error(kTooManyFiles, "Too many files").Description();
      });
      return false;
    }
    m_DiskIdentity = identity;
    m_HasUpdatedDiskIdentity = -1;
  } else {
    m_HasUpdatedDiskIdentity = 0;
  }
  const std::string file_name = CreateFileName(m_DiskIdentity);

  // The new content goes to a temporary file that replaces the old one only
  // when it is complete, so a failed write leaves the previous file intact.
  const std::string temporary = TemporaryNameFor(file_name);
  StepRecorder steps;
  BinaryFile file;
  steps.Try([&] { file.Open(temporary, BinaryFile::Mode::kCreate); });
  // After a failed open every write would fail with 52; stopping here keeps
  // the open's own failure as the one reported.
  if (file.IsOpen()) {
    steps.Try([&] { file.WriteInt16(kProfileFileVersion); });
    steps.Try([&] { WriteProfileRecord(file, RecordOfProfile(*this, Now())); });
    steps.Try([&] {
      if (m_TimeSchedule == nullptr) throw Error(kObjectRequired);
      m_TimeSchedule->SaveToDisk(file);
    });
    steps.Try([&] { file.Close(); });
  }
  if (!steps.Failed()) steps.Try([&] { RenameFile(temporary, file_name); });

  if (steps.Failed()) {
    StepRecorder cleanup;
    if (FileExists(temporary)) cleanup.Try([&] { DeleteFile(temporary); });
    Report([&] { return GetLanguageText(980) + " " + file_name + " Err:" + steps.LastDescription(); });
    return false;
  }
  StepRecorder snapshot;
  snapshot.Try([&] { RememberOriginalSettings(); });
  return true;
}

bool cProfile::LoadFromDisk(int16_t disk_identity) {
  const std::string file_name = CreateFileName(disk_identity);
  StepRecorder steps;
  bool result = false;
  bool rewrite = false;

  // Opened read-only: loading never creates a file, so a missing profile
  // does not leave an empty file that would block its identity.
  BinaryFile file;
  const bool opened = steps.Try([&] { file.Open(file_name, BinaryFile::Mode::kRead); });
  const bool missing = !opened && steps.LastNumber() == kFileNotFound;
  if (missing && DirectoryExists(ProfilesDirectory())) {
    steps.Clear();  // a missing file is a plain False, without a message
  } else if (!opened || file.Length() > 1) {
    if (missing) steps.Record(kPathNotFound, DescriptionOf(kPathNotFound));
    int16_t version = 0;  // what an unopenable file reads as
    if (opened) steps.Try([&] { version = file.ReadInt16(); });
    if (version == kOldProfileFileVersion || version == kProfileFileVersion) {
      // Read into locals and commit only a complete record and schedule, so
      // that a truncated file leaves the profile as it was.
      ProfileRecord record;
      auto schedule = std::make_shared<cTimeSchedule>();
      if (steps.Try([&] { record = ReadProfileRecord(file, version); }) &&
          steps.Try([&] { schedule->ReadFromDisk(file); }) &&
          steps.Try([&] { ApplyRecordToProfile(record, version, *this); })) {
        m_TimeSchedule = std::move(schedule);
        result = true;
        if (version == kOldProfileFileVersion) {
          Report([&] {
            return GetLanguageText(930) + " '" + file_name + "' (version " +
                   std::to_string(kOldProfileFileVersion) + " -> " +
                   std::to_string(kProfileFileVersion) + ")";
          });
          rewrite = true;
        }
      }
    } else {
      Report([&] {
        return GetLanguageText(803) + " '" + file_name + "' (" + std::to_string(version) + ") " +
               GetLanguageText(805);
      });
    }
  }
  // A file of 0 or 1 bytes is not read: False, with no message of its own.

  m_DiskIdentity = disk_identity;
  if (file.IsOpen()) steps.Try([&] { file.Close(); });
  if (steps.Failed()) {
    Report([&] { return GetLanguageText(982) + " " + file_name + " Err:" + steps.LastDescription(); });
    result = false;
    rewrite = false;  // never replace a file that could not be read whole
  }
  if (rewrite) SaveToDisk();  // its own failure is reported by itself
  StepRecorder snapshot;
  snapshot.Try([&] { RememberOriginalSettings(); });
  return result;
}

}  // namespace quindo
