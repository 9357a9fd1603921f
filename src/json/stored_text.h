#pragma once
// The texts of a record that a save stores, checked against the active code
// page before anything is written: a character that the code page cannot
// hold would be stored as "?", and the text lost without a word. Fields are
// named by their JSON names, so that the writer of a document finds them.

#include <optional>
#include <string>

#include "common/export.h"
#include "model/alarm/alarm.h"
#include "model/profile/profile.h"
#include "model/receiver/receiver.h"

namespace quindo {

struct QUINDO_EXPORT UnencodableText {
  std::string field;      // "Conditions[3]", "Settings[1].Value"
  std::string character;  // the first character the code page lacks, as UTF-8
};

// The first field whose text holds a character that the code page cannot,
// and that character; nullopt when every stored text fits.
QUINDO_EXPORT std::optional<UnencodableText> FirstUnencodableText(const cProfile& profile);
QUINDO_EXPORT std::optional<UnencodableText> FirstUnencodableText(const cReceiver& receiver);
QUINDO_EXPORT std::optional<UnencodableText> FirstUnencodableText(const cAlarm& alarm);

}  // namespace quindo
