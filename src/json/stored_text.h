#pragma once
// The texts that a put stores, checked against the active code page before
// anything is written: a character that the code page cannot hold would be
// stored as "?", and the text lost without a word.

#include <optional>
#include <string>

#include "model/alarm/alarm.h"
#include "model/profile/profile.h"
#include "model/receiver/receiver.h"

namespace quindo::records {

// The switch of put and append that stores such texts with the code page's
// replacement instead of refusing them.
inline constexpr const char* kLossySwitch = "--lossy";

// A message naming the first field (by its JSON name) whose text holds a
// character that the code page cannot, and that character; nullopt when
// every stored text fits.
std::optional<std::string> UnencodableText(const cProfile& profile);
std::optional<std::string> UnencodableText(const cReceiver& receiver);
std::optional<std::string> UnencodableText(const cAlarm& alarm);

}  // namespace quindo::records
