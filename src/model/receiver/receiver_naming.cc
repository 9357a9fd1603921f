// Receiver file names, removal and the deleted-receivers log.

#include "model/receiver/receiver_naming.h"

#include "common/file_system.h"
#include "common/language.h"
#include "common/settings.h"
#include "common/step_recorder.h"
#include "model/deleted_log.h"
#include "model/receiver/receiver.h"
#include "model/record_file.h"

namespace quindo {
namespace {

constexpr std::string_view kPrefix = "Receiver_";

}  // namespace

std::string ReceiversDirectory() { return DataDirectory() + "Receivers/"; }

std::string DeletedReceiversLogPath() { return ReceiversDirectory() + "DeletedReceivers.dat"; }

std::vector<int16_t> ListStoredReceiverIdentities() {
  return ListRecordIdentities(ReceiversDirectory(), kPrefix);
}

std::string cReceiver::CreateFileName(int16_t disk_identity) const {
  return RecordFileName(ReceiversDirectory(), kPrefix, disk_identity);
}

bool cReceiver::RemoveFromDisk(int16_t disk_identity) {
  const std::string file_name = CreateFileName(disk_identity);
  StepRecorder steps;
  steps.Try([&] { DeleteFile(file_name); });
  ReportComposed([&] {
    if (!steps.Failed()) return GetLanguageText(976) + " '" + m_ReceiverName + "' " + file_name;
    return GetLanguageText(977) + " '" + m_ReceiverName + "' " + file_name + " Err:" +
           steps.LastDescription();
  });
  // The entry goes whether or not the file could be deleted; a receiver that
  // was never in the collection is no failure worth reporting.
  std::string key = "K";
  key += std::to_string(disk_identity);
  StepRecorder collection;
  collection.Try([&] { ReceiverCollection().Remove(key); });
  return true;
}

void cReceiver::StoreInDeletedFileForRedundantPartner(int16_t disk_identity) {
  StoreDeletedRecordLine(DeletedReceiversLogPath(), disk_identity, m_ReceiverName);
}

}  // namespace quindo
