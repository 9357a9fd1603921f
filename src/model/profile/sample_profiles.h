#pragma once
// Sample profiles: shift, weekend and room profiles (some nested with "@"),
// some enabled and some disabled, each with a weekly schedule. quindo-sim
// serves them when it is given no directory, the demo shows their week
// charts, and the editor's tests and benchmark take them as data.

#include <memory>
#include <vector>

#include "model/profile/profile.h"

namespace quindo {

// `count` profiles numbered 1..count; names repeat with a number once the
// built-in names are used up.
std::vector<std::unique_ptr<cProfile>> MakeSampleProfiles(int count);

}  // namespace quindo
