#include "model/deleted_log.h"

#include "common/code_page.h"
#include "common/dates.h"
#include "common/file_system.h"
#include "common/settings.h"
#include "common/step_recorder.h"

namespace quindo {

std::string ComposeDeletedRecordLine(double when, int16_t disk_identity, std::string_view name) {
  std::string one_line_name(name);
  for (char& c : one_line_name) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return TextToBytes(FormatTimestamp(when) + "\t" + std::to_string(disk_identity) + "\t" +
                     one_line_name + "\r\n");
}

void StoreDeletedRecordLine(const std::string& log_path, int16_t disk_identity,
                            std::string_view name) {
  if (RedundancyRole() != 1 && RedundancyRole() != 2) return;
  // The log is a courtesy to the partner; its failure must not disturb the
  // deletion it accompanies.
  StepRecorder steps;
  steps.Try([&] { AppendToFile(log_path, ComposeDeletedRecordLine(Now(), disk_identity, name)); });
}

}  // namespace quindo
