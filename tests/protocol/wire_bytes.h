#pragma once
// Byte builders shared by the protocol and control tests.

#include <initializer_list>
#include <string>

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
  for (int i = 0; i < periods; ++i) {
    auto period = std::make_shared<cTimeSchedulePeriod>();
    period->m_StartMinute = static_cast<int16_t>(i * 60);
    period->m_StopMinute = static_cast<int16_t>(i * 60 + 30);
    profile.m_TimeSchedule->Periods(0).push_back(period);
  }
  return ComposeProfileMessage(profile);
}

}  // namespace quindo::testing
