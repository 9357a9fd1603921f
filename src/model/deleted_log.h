#pragma once
// The "Deleted" logs that the record classes keep for a redundant partner
// server: one text line per deleted record, appended to a log file in the
// record kind's directory (profiles and receivers share the line format).
//
//   YYYY-MM-DD HH:NN:SS <TAB> disk identity <TAB> name <CR><LF>
//
// The time stamp is local time, the identity decimal without padding (minus
// sign when negative), and the whole line is in the code page. The partner
// reads the log line by line, so a tab, CR or LF inside the name is written
// as a blank: such a name would otherwise split or shift its line.

#include <cstdint>
#include <string>
#include <string_view>
#include "common/export.h"

namespace quindo {

// The code-page bytes of one log line, for a record deleted at `when`.
QUINDO_EXPORT std::string ComposeDeletedRecordLine(double when, int16_t disk_identity, std::string_view name);

// Appends the line for now to the log at `log_path` (created when missing),
// only when RedundancyRole is 1 or 2. Never raises and reports nothing: a log
// that cannot be written (for example a missing directory) is skipped.
QUINDO_EXPORT void StoreDeletedRecordLine(const std::string& log_path, int16_t disk_identity,
                            std::string_view name);

}  // namespace quindo
