#pragma once
// The profiles the simulator serves, by number: built in memory, or loaded
// from a data directory's profile files and written back when a client
// enables or disables one.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/profile/profile.h"

namespace quindo {

class ProfileStore {
 public:
  // Serves these profiles from memory.
  void Adopt(std::vector<std::unique_ptr<cProfile>> profiles);
  // Serves the profile files under `directory` (its "Profiles/" folder) and
  // saves changes there. When the folder holds no profile, `seed` is saved
  // into it first. Returns the number of profiles loaded; a file that does
  // not load is skipped, its message going to ReportError.
  int LoadDirectory(const std::string& directory, std::vector<std::unique_ptr<cProfile>> seed);

  // Ascending by number.
  std::vector<const cProfile*> All() const;
  const cProfile* Find(int32_t number) const;
  // Sets the flag (-1 or 0) and saves the file when serving a directory.
  // False for an unknown number or a failed save.
  bool SetEnabled(int32_t number, bool enabled);
  // Stops serving it; a profile file is left where it is.
  bool Remove(int32_t number);
  // Serves a new profile (saved when serving a directory). False, and
  // nothing changes, when its number is served already or the save fails.
  bool Add(std::unique_ptr<cProfile> profile);

 private:
  std::map<int32_t, std::unique_ptr<cProfile>> profiles_;
  bool on_disk_ = false;
};

}  // namespace quindo
