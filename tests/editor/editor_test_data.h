#pragma once
// Sample data directories for the editor's tests and benchmark: the
// simulator's sample profiles saved as profile files.

#include <string>

#include <QDir>

#include "model/profile/profile.h"
#include "tools/editor/profile_directory.h"
#include "model/profile/sample_profiles.h"

namespace quindo {

// Saves `count` sample profiles (identities 1..count) under DIR/Profiles.
inline bool WriteSampleDirectory(const QString& directory, int count) {
  if (!QDir().mkpath(directory + QStringLiteral("/Profiles"))) return false;
  UseDataDirectory(directory.toStdString());
  for (auto& profile : MakeSampleProfiles(count)) {
    if (!profile->SaveToDisk()) return false;
  }
  return true;
}

}  // namespace quindo
