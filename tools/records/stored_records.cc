#include "stored_records.h"

#include "common/file_system.h"

namespace quindo::records {

void RequireDirectory(const std::string& directory) {
  if (!DirectoryExists(directory)) throw CommandError(kExitFailed, "no directory " + directory);
}

void RequireRecordFile(const std::string& kind, int16_t identity, const std::string& file_name) {
  if (!FileExists(file_name)) {
    throw CommandError(kExitFailed, "no " + kind + " file " + std::to_string(identity) + " (" + file_name + ")",
                       MessageShape::kBare);
  }
}

void RecordNotLoaded(const std::string& file_name) {
  const std::string why = TakeRecordReports();
  throw CommandError(kExitFailed, why.empty() ? file_name + ": not loaded" : why);
}

void LoadStoredRecord(const std::string& kind, KindRecord& record, int16_t identity) {
  const std::string file_name = record.FileName(identity);
  RequireRecordFile(kind, identity, file_name);
  if (!record.Load(identity)) RecordNotLoaded(file_name);
  FlushRecordReports();
}

}  // namespace quindo::records
