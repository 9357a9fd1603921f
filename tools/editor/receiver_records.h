#pragma once
// The receivers of a data directory as the editor holds them (DIR/Receivers,
// loaded at once: a directory has few), and the undoable receiver edit.
//
// Every receiver edit is a change of its quindo-records JSON: the form
// builds the JSON it wants, the command checks it through the shared JSON
// reader on a scratch receiver and only then copies it over, so a value of
// the wrong kind or range is refused whole and reported.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QUndoCommand>
#include <nlohmann/json.hpp>

#include "model/receiver/receiver.h"
#include "tools/editor/edit_commands.h"
#include "tools/editor/file_stamp.h"

namespace quindo {

class ReceiverRecords {
 public:
  // Loads every receiver file of this thread's data directory; unreadable
  // ones are kept as null with their messages.
  void LoadAll();
  cReceiver* Find(int16_t identity) const;
  bool Contains(int16_t identity) const { return entries_.count(identity) != 0; }
  const std::string& Messages(int16_t identity) const;
  std::vector<int16_t> Identities() const;

  // Saved at once (DIR/Receivers is created when missing); -1 on failure.
  int16_t CreateNew(const std::string& name);
  int16_t AddNew(std::unique_ptr<cReceiver> receiver);
  // True when the receiver's file is no longer as it was read or last
  // written (size, modification time or content).
  bool ChangedOnDisk(int16_t identity) const;
  bool Save(int16_t identity);
  bool Reload(int16_t identity);
  bool Remove(int16_t identity);  // logs for the partner with a redundancy role

 private:
  struct Entry {
    std::unique_ptr<cReceiver> receiver;
    std::string messages;
    FileStamp stamp;
  };
  std::string FileOf(int16_t identity) const { return cReceiver().CreateFileName(identity); }
  std::map<int16_t, Entry> entries_;
};

class ReceiverEditTarget {
 public:
  virtual ~ReceiverEditTarget() = default;
  virtual cReceiver* ReceiverFor(int16_t identity) = 0;
  virtual void ReceiverEdited(int16_t identity) = 0;
};

// Replaces a receiver's editable fields by those of `after` (its JSON);
// undo puts `before` back. Edits with the same non-empty merge key (one
// form field of one receiver) merge.
class ReceiverEditCommand : public PlacedCommand {
 public:
  ReceiverEditCommand(ReceiverEditTarget& target, int16_t identity, nlohmann::json before,
                      nlohmann::json after, std::string merge_key);
  void redo() override;
  void undo() override { Apply(before_); }
  int id() const override { return 4; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  bool Apply(const nlohmann::json& json);

  ReceiverEditTarget& target_;
  int16_t identity_;
  nlohmann::json before_;
  nlohmann::json after_;
  std::string merge_key_;
};

}  // namespace quindo
