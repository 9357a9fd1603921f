#pragma once
// Byte builders shared by the protocol and control tests.

#include <initializer_list>
#include <string>

#include "error_number.h"
#include "model/profile/profile.h"
#include "protocol/frame.h"
#include "protocol/profile_message.h"

namespace quindo::testing {

inline std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

// A profile message body with an empty schedule.
inline std::string ProfileBody(int16_t number, bool enabled, const std::string& name) {
  cProfile profile;
  profile.m_DiskIdentity = number;
  profile.m_Enabled = enabled ? -1 : 0;
  profile.SetName(name);
  profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  return ComposeProfileMessage(profile);
}

}  // namespace quindo::testing
