#pragma once
// A record kind that keeps one file per record (profiles, receivers), as the
// commands show, put, list, remove and upgrade see it: where its files are,
// how one is loaded, saved and removed, and its JSON. The commands are one
// implementation over this description (record_commands.cc); adding a kind
// is one more description with its help text (record_kinds.cc).

#include <cstdint>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "json/stored_text.h"

namespace quindo::records {

// One record of a kind.
class KindRecord {
 public:
  virtual ~KindRecord() = default;
  virtual std::string FileName(int16_t identity) const = 0;
  virtual bool Load(int16_t identity) = 0;
  virtual bool Save() = 0;
  // Logs the deletion for the redundant partner (as RedundancyRole says),
  // then deletes the file.
  virtual void LogAndRemove(int16_t identity) = 0;
  virtual int16_t Identity() const = 0;
  virtual nlohmann::ordered_json ToJson() const = 0;
  // Fills the record from a JSON object at path `where` of its document;
  // raises JsonInputError.
  virtual void FromJson(const nlohmann::json& object, const std::string& where) = 0;
  virtual std::optional<UnencodableText> Unencodable() const = 0;
  // The columns of `list` after the identity: Enabled and the name.
  virtual std::vector<std::string> ListColumns() const = 0;
};

struct RecordKind {
  std::string name;  // the command word and the noun of messages: "profile"
  std::function<std::string()> directory;        // DIR/Profiles/
  std::function<std::vector<int16_t>()> stored;  // the identities of its files, ascending
  int16_t current_version = 0;
  std::function<std::unique_ptr<KindRecord>()> make;
  // Options its commands take besides the common ones.
  std::vector<std::string> options;
  // Run before each of its commands, after the arguments were checked (to
  // load the type table of --receiver-types).
  std::function<void(const Invocation&)> prepare;
};

// The KindRecord of a record class with the file operations that cProfile
// and cReceiver share, given its JSON and list functions.
template <typename Record>
struct RecordFunctions {
  nlohmann::ordered_json (*to_json)(const Record&);
  void (*from_json)(const nlohmann::json&, Record&, const std::string&);
  std::optional<UnencodableText> (*unencodable)(const Record&);
  std::string (*name)(const Record&);
};

template <typename Record>
class RecordOf : public KindRecord {
 public:
  explicit RecordOf(RecordFunctions<Record> functions) : functions_(functions) {}
  std::string FileName(int16_t identity) const override { return record_.CreateFileName(identity); }
  bool Load(int16_t identity) override { return record_.LoadFromDisk(identity); }
  bool Save() override { return record_.SaveToDisk(); }
  void LogAndRemove(int16_t identity) override {
    record_.StoreInDeletedFileForRedundantPartner(identity);
    record_.RemoveFromDisk(identity);
  }
  int16_t Identity() const override { return record_.m_DiskIdentity; }
  nlohmann::ordered_json ToJson() const override { return functions_.to_json(record_); }
  void FromJson(const nlohmann::json& object, const std::string& where) override {
    functions_.from_json(object, record_, where);
  }
  std::optional<UnencodableText> Unencodable() const override { return functions_.unencodable(record_); }
  std::vector<std::string> ListColumns() const override {
    return {std::to_string(record_.m_Enabled != 0 ? -1 : 0), functions_.name(record_)};
  }

 private:
  RecordFunctions<Record> functions_;
  Record record_;
};

template <typename Record>
std::function<std::unique_ptr<KindRecord>()> MakeRecordOf(RecordFunctions<Record> functions) {
  return [functions] { return std::make_unique<RecordOf<Record>>(functions); };
}

// The commands show, put, list, remove and upgrade of a kind.
struct Command;
std::vector<Command> RecordCommands(const RecordKind& kind);

}  // namespace quindo::records
