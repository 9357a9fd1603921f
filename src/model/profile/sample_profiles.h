#pragma once
// The built-in profiles the simulator serves when it is given no directory:
// shift, weekend and room profiles (some nested with "@"), some enabled and
// some disabled, each with a weekly schedule.

#include <memory>
#include <vector>

#include "model/profile/profile.h"

namespace quindo {

// `count` profiles numbered 1..count; names repeat with a number once the
// built-in names are used up.
std::vector<std::unique_ptr<cProfile>> MakeSampleProfiles(int count);

}  // namespace quindo
