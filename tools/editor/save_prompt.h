#pragma once
// The questions the editor asks before changes would be left or a record
// deleted, as replaceable functions: message boxes in the program, answers
// in the tests.

#include <functional>

#include <QString>

namespace quindo {

enum class SaveChoice { kSave, kDiscard, kCancel };
// Asked before changes would be left: `what` names the record.
using SavePrompt = std::function<SaveChoice(const QString& what)>;
// Asked before a deletion; true goes ahead.
using ConfirmPrompt = std::function<bool(const QString& question)>;

}  // namespace quindo
