// Loads arbitrary bytes as a profile file. A load must never crash or read
// out of bounds, and a profile that loads must save and load back unchanged
// (every code-page byte of its texts survives the trip).

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/settings.h"
#include "memory_files.h"
#include "model/profile/profile.h"

namespace {

using namespace quindo;

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DataDirectory() = "/fuzz/";
  MemoryFileSystem& files = FreshMemoryFiles("/fuzz/Profiles");
  files.SetFileContent("/fuzz/Profiles/Profile_0001.dat", std::string(reinterpret_cast<const char*>(data), size));

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
  // The save replaced the file in one step and left nothing else behind.
  Require(files.ListFiles("/fuzz/Profiles") == std::vector<std::string>{"Profile_0001.dat"});
  return 0;
}
