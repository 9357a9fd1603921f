#include "tools/editor/receiver_records.h"

#include <filesystem>

#include "common/error.h"
#include "common/file_system.h"
#include "common/language.h"
#include "common/settings.h"
#include "json/receiver_json.h"
#include "model/receiver/receiver_naming.h"

namespace quindo {

void ReceiverRecords::LoadAll() {
  entries_.clear();
  for (int16_t identity : ListStoredReceiverIdentities()) {
    Entry entry;
    auto receiver = std::make_unique<cReceiver>();
    // Messages of a failed load go to the log through ReportError as well.
    if (receiver->LoadFromDisk(identity)) {
      entry.receiver = std::move(receiver);
    } else {
      entry.messages = "Receiver file " + receiver->CreateFileName(identity) + " is unreadable";
    }
    entry.stamp = FileStamp::Of(FileOf(identity));
    entries_[identity] = std::move(entry);
  }
}

cReceiver* ReceiverRecords::Find(int16_t identity) const {
  const auto found = entries_.find(identity);
  return found == entries_.end() ? nullptr : found->second.receiver.get();
}

const std::string& ReceiverRecords::Messages(int16_t identity) const {
  static const std::string none;
  const auto found = entries_.find(identity);
  return found == entries_.end() ? none : found->second.messages;
}

std::vector<int16_t> ReceiverRecords::Identities() const {
  std::vector<int16_t> identities;
  for (const auto& [identity, entry] : entries_) identities.push_back(identity);
  return identities;
}

int16_t ReceiverRecords::CreateNew(const std::string& name) {
  auto receiver = std::make_unique<cReceiver>();
  receiver->m_ReceiverName = name;
  return AddNew(std::move(receiver));
}

int16_t ReceiverRecords::AddNew(std::unique_ptr<cReceiver> receiver) {
  std::error_code ignored;  // a directory that cannot be made fails the save, which says why
  std::filesystem::create_directories(ReceiversDirectory(), ignored);
  receiver->m_DiskIdentity = -1;
  if (!receiver->SaveToDisk()) return -1;
  const int16_t identity = receiver->m_DiskIdentity;
  entries_[identity] = Entry{std::move(receiver), {}, FileStamp::Of(FileOf(identity))};
  return identity;
}

bool ReceiverRecords::ChangedOnDisk(int16_t identity) const {
  const auto found = entries_.find(identity);
  return found != entries_.end() && FileStamp::Of(FileOf(identity)).Differs(found->second.stamp);
}

bool ReceiverRecords::Save(int16_t identity) {
  cReceiver* receiver = Find(identity);
  if (receiver == nullptr || !receiver->SaveToDisk()) return false;
  entries_[identity].stamp = FileStamp::Of(FileOf(identity));
  return true;
}

bool ReceiverRecords::Reload(int16_t identity) {
  if (Find(identity) == nullptr) return false;
  auto receiver = std::make_unique<cReceiver>();
  if (!receiver->LoadFromDisk(identity)) return false;  // the record stays as it was
  entries_[identity].receiver = std::move(receiver);
  entries_[identity].stamp = FileStamp::Of(FileOf(identity));
  return true;
}

bool ReceiverRecords::Remove(int16_t identity) {
  const auto found = entries_.find(identity);
  if (found == entries_.end()) return false;
  cReceiver scratch;
  cReceiver& receiver = found->second.receiver ? *found->second.receiver : scratch;
  receiver.RemoveFromDisk(identity);
  if (FileExists(receiver.CreateFileName(identity))) return false;
  if (RedundancyRole() != 0) receiver.StoreInDeletedFileForRedundantPartner(identity);
  entries_.erase(found);
  return true;
}

ReceiverEditCommand::ReceiverEditCommand(ReceiverEditTarget& target, int16_t identity, nlohmann::json before,
                                         nlohmann::json after, std::string merge_key)
    : PlacedCommand({EditPlace::Kind::kReceiver, identity}),
      target_(target),
      identity_(identity),
      before_(std::move(before)),
      after_(std::move(after)),
      merge_key_(std::move(merge_key)) {
  setText(QStringLiteral("Edit receiver"));
}

bool ReceiverEditCommand::Apply(const nlohmann::json& json) {
  cReceiver* receiver = target_.ReceiverFor(identity_);
  if (receiver == nullptr) return false;
  cReceiver checked;
  try {
    ReceiverFromJson(json, checked);
  } catch (const std::exception& e) {
    std::string message = std::string("Receiver not changed: ") + e.what();
    ReportError(message);
    target_.ReceiverEdited(identity_);  // the form shows what it kept
    return false;
  }
  receiver->CopyFrom(checked);
  target_.ReceiverEdited(identity_);
  return true;
}

void ReceiverEditCommand::redo() {
  if (!Apply(after_)) setObsolete(true);
}

bool ReceiverEditCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const ReceiverEditCommand*>(other);
  if (merge_key_.empty() || next->merge_key_ != merge_key_ || next->identity_ != identity_) return false;
  after_ = next->after_;
  if (after_ == before_) setObsolete(true);
  return true;
}

}  // namespace quindo
