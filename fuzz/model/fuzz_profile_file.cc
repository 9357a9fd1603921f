// Loads arbitrary bytes as a profile file. A load must never crash or read
// out of bounds, and a profile that loads must save and load back unchanged
// (every code-page byte of its texts survives the trip).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/settings.h"
#include "model/profile/profile.h"

namespace {

using namespace quindo;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The data directory of the run, removed when the fuzzer exits.
struct DataDirectoryOfRun {
  DataDirectoryOfRun() {
    // In memory where the machine has it: saves force their data to disk,
    // which on a real disk would slow the fuzzer tenfold.
    std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    pattern += "/fuzz_profile_file.XXXXXX";
    dir = ::mkdtemp(pattern.data());
    std::filesystem::create_directory(dir + "/Profiles");
    DataDirectory() = dir + "/";
    file = cProfile().CreateFileName(1);
  }
  ~DataDirectoryOfRun() {
    std::error_code error;
    std::filesystem::remove_all(dir, error);
  }
  std::string dir;
  std::string file;
};

const std::string& FilePath() {
  static DataDirectoryOfRun run;
  return run.file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = FilePath();
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  cProfile loaded;
  if (!loaded.LoadFromDisk(1)) return 0;
  Require(loaded.SaveToDisk());
  cProfile again;
  Require(again.LoadFromDisk(1));
  Require(again.GetName() == loaded.GetName());
  Require(again.m_ExternalFileText == loaded.m_ExternalFileText);
  Require(again.GetCondition(5).ToText() == loaded.GetCondition(5).ToText());
  Require(again.GetSystem(63).ToInt16() == loaded.GetSystem(63).ToInt16());
  Require(again.m_OffDutyAlarmBehaviour == loaded.m_OffDutyAlarmBehaviour);
  Require(again.m_TimeSchedule->ComposePeriodArray() == loaded.m_TimeSchedule->ComposePeriodArray());
  return 0;
}
