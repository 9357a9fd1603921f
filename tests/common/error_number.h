#pragma once
// The platform error number that an action raises, for tests that check the
// exact failure callers decide on.

#include <cstdint>
#include <utility>

#include "common/error.h"

namespace quindo {

// The number of the quindo::Error the action raises, or 0 when it raises none.
template <typename Action>
int32_t ErrorOf(Action&& action) {
  try {
    std::forward<Action>(action)();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace quindo
