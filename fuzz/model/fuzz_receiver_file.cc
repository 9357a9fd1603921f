// Loads arbitrary bytes as a receiver file. A load must never crash or read
// out of bounds, and a receiver that loads must save and load back unchanged
// (every kind and every code-page byte of its texts survives the trip).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/settings.h"
#include "model/receiver/receiver.h"

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
    pattern += "/fuzz_receiver_file.XXXXXX";
    dir = ::mkdtemp(pattern.data());
    std::filesystem::create_directory(dir + "/Receivers");
    DataDirectory() = dir + "/";
    file = cReceiver().CreateFileName(1);
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

bool SameSetting(const TypedValue& a, const TypedValue& b) {
  if (a.GetKind() != b.GetKind() || a.RawInteger() != b.RawInteger() || a.RawText() != b.RawText()) {
    return false;
  }
  const double x = a.RawFloat();
  const double y = b.RawFloat();
  return x == y || (x != x && y != y);  // NaN stays NaN
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = FilePath();
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  cReceiver loaded;
  if (!loaded.LoadFromDisk(1)) return 0;
  // Texts longer than the file's signed 16-bit length cannot be saved again.
  if (!loaded.SaveToDisk()) return 0;
  cReceiver again;
  Require(again.LoadFromDisk(1));
  Require(again.m_ReceiverName == loaded.m_ReceiverName);
  Require(again.m_BackupReceiver == loaded.m_BackupReceiver);
  Require(again.m_Enabled == loaded.m_Enabled);
  Require(again.GetReceiverTypeId() == loaded.GetReceiverTypeId());
  for (int16_t i = 0; i < cReceiver::kSettings; ++i) {
    Require(SameSetting(again.GetSetting(i), loaded.GetSetting(i)));
  }
  return 0;
}
