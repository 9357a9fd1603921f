#pragma once
// Where profile files live: DataDirectory() + "Profiles/" + "Profile_" + four
// digits + ".dat" (cProfile::CreateFileName), with the deleted-profiles log
// "DeletedProfiles.dat" beside them.

#include <cstdint>
#include <string>
#include <vector>

#include "common/export.h"

namespace quindo {

// DataDirectory() + "Profiles/".
QUINDO_EXPORT std::string ProfilesDirectory();
// DataDirectory() + "Profiles/DeletedProfiles.dat".
QUINDO_EXPORT std::string DeletedProfilesLogPath();

// The identities of the profile files in ProfilesDirectory(), ascending: every
// name "Profile_" + four decimal digits + ".dat". Other names (temporary
// files, the log, "Profile_00-1.dat") are ignored; a missing or unreadable
// directory gives an empty list.
QUINDO_EXPORT std::vector<int16_t> ListStoredProfileIdentities();

}  // namespace quindo
