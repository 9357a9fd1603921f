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

// A profile message body with `periods` Monday periods in its schedule.
inline std::string ProfileBody(int16_t number, bool enabled, const std::string& name, int periods = 0) {
  cProfile profile;
  profile.m_DiskIdentity = number;
  profile.m_Enabled = enabled ? -1 : 0;
  profile.SetName(name);
  profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  for (int16_t start = 0; start < periods * 60; start += 60) {
    profile.m_TimeSchedule->Periods(0).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{start, static_cast<int16_t>(start + 30)}));
  }
  return ComposeProfileMessage(profile);
}

}  // namespace quindo::testing
