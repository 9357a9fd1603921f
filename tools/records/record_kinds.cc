// The record kinds with a file per record: profiles and receivers. Each is
// a description (record_kind.h) that the commands show, put, list, remove
// and upgrade run over.

#include "command.h"
#include "json/profile_json.h"
#include "json/receiver_json.h"
#include "messages.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"
#include "model/profile/profile_record.h"
#include "model/receiver/receiver.h"
#include "model/receiver/receiver_naming.h"
#include "model/receiver/receiver_record.h"
#include "record_kind.h"

namespace quindo::records {
namespace {

// A kind's description from its class's file functions and JSON.
template <typename Record>
RecordKind Kind(const std::string& name, std::string (*directory)(), std::vector<int16_t> (*stored)(),
                int16_t version, RecordFunctions<Record> functions) {
  return {.name = name, .directory = directory, .stored = stored, .current_version = version,
          .make = MakeRecordOf<Record>(functions)};
}

const RecordKind& ProfileKind() {
  static const RecordKind kind = Kind<cProfile>(
      "profile", ProfilesDirectory, ListStoredProfileIdentities, kProfileFileVersion,
      {ProfileToJson, ProfileFromJson, FirstUnencodableText, [](const cProfile& p) { return p.GetName(); }});
  return kind;
}

void LoadReceiverTypes(const Invocation& in) {
  if (const std::string* types = in.Value("--receiver-types")) {
    try {
      LoadReceiverTypesFile(*types);
    } catch (const JsonInputError& e) {
      throw UsageError(std::string("--receiver-types ") + e.what());
    }
  }
}

const RecordKind& ReceiverKind() {
  static const RecordKind kind = [] {
    RecordKind receivers = Kind<cReceiver>(
        "receiver", ReceiversDirectory, ListStoredReceiverIdentities, kReceiverFileVersion,
        {ReceiverToJson, ReceiverFromJson, FirstUnencodableText, [](const cReceiver& r) { return r.m_ReceiverName; }});
    receivers.options = {"--receiver-types"};
    receivers.prepare = LoadReceiverTypes;
    return receivers;
  }();
  return kind;
}

}  // namespace

std::vector<Command> ProfileAndReceiverCommands() {
  std::vector<Command> commands = RecordCommands(ProfileKind());
  for (Command& command : RecordCommands(ReceiverKind())) commands.push_back(std::move(command));
  return commands;
}

}  // namespace quindo::records
