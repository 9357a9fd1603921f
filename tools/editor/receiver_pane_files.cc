// The receivers tab's file operations: save (with the same checks as a
// profile's), discard, new, delete, and import and export through the JSON
// of quindo-records.

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSaveFile>
#include <QUndoStack>

#include "json/receiver_json.h"
#include "tools/editor/editor_checks.h"
#include "tools/editor/receiver_pane.h"

namespace quindo {

void ReceiverPane::Fail(const QString& message) {
  prompts_.log(message);
  prompts_.notice(QStringLiteral("quindo-editor"), message);
}

QString ReceiverPane::NameOf(int16_t identity) const {
  const cReceiver* receiver = records_.Find(identity);
  return receiver != nullptr ? QStringLiteral("receiver '%1'").arg(QString::fromStdString(receiver->m_ReceiverName))
                             : QStringLiteral("receiver file %1").arg(identity);
}

bool ReceiverPane::SaveSelected() {
  if (!SelectedHasChanges()) return true;
  const QString what = NameOf(selected_);
  const QString file = QString::fromStdString(cReceiver().CreateFileName(selected_));
  const QString unstorable = UnstorableReceiverText(*SelectedReceiver());
  if (!unstorable.isEmpty()) {
    Fail(QStringLiteral("Not saved: in %1 %2, which the code page of the record files cannot hold").arg(what, unstorable));
    return false;
  }
  if (records_.ChangedOnDisk(selected_)) {
    const int answer = prompts_.choose(DiskChangeQuestion(file));
    if (answer == 0) return DiscardSelected();
    if (answer != 1) return false;
  }
  if (!records_.Save(selected_)) {
    Fail(QStringLiteral("Not saved: %1 keeps its changes").arg(what));
    UpdateItem(selected_);
    return false;
  }
  prompts_.log(QStringLiteral("Saved %1 to %2").arg(what, file));
  undo_.setClean();
  UpdateItem(selected_);
  return true;
}

bool ReceiverPane::DiscardSelected() {
  if (!records_.Reload(selected_)) return false;
  ShowSelected();
  return true;
}

int16_t ReceiverPane::NewReceiver() {
  if (!MayLeave()) return -1;
  const int16_t identity = records_.CreateNew("New receiver");
  if (identity < 0) {
    Fail(QStringLiteral("No new receiver: its file could not be written"));
    return -1;
  }
  AddItem(identity);
  Select(identity);
  prompts_.log(QStringLiteral("Created %1").arg(NameOf(identity)));
  return identity;
}

bool ReceiverPane::DeleteSelected() {
  if (!records_.Contains(selected_)) return false;
  const QString what = NameOf(selected_);
  Question question;
  question.text = QStringLiteral("Delete %1 and its file?").arg(what);
  question.answers = {QStringLiteral("Yes"), QStringLiteral("No")};
  question.default_answer = 1;
  question.cancel_answer = 1;
  if (prompts_.choose(question) != 0) return false;
  if (!records_.Remove(selected_)) {
    Fail(QStringLiteral("%1 was not deleted").arg(what));
    return false;
  }
  prompts_.log(QStringLiteral("Deleted %1").arg(what));
  delete ItemOf(selected_);
  selected_ = -1;
  ShowSelected();
  emit changed();
  return true;
}

QString ReceiverPane::SuggestedExportFile(const QString& directory) const {
  const cReceiver* receiver = records_.Find(selected_);
  QString name = receiver != nullptr ? QString::fromStdString(receiver->m_ReceiverName) : QString();
  name.replace(QLatin1Char('/'), QLatin1Char('_'));
  if (name.trimmed().isEmpty()) name = QStringLiteral("receiver");
  return QDir(directory.isEmpty() ? QDir::currentPath() : directory).filePath(name + QStringLiteral(".json"));
}

bool ReceiverPane::ExportSelected(const QString& file) {
  const cReceiver* receiver = records_.Find(selected_);
  if (receiver == nullptr) {
    Fail(QStringLiteral("Export: select a readable receiver first"));
    return false;
  }
  const std::string text = ReceiverToJson(*receiver).dump(2) + "\n";
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
      !out.commit()) {
    Fail(QStringLiteral("Export to %1 failed: %2").arg(file, out.errorString()));
    return false;
  }
  prompts_.log(QStringLiteral("Exported %1 to %2").arg(NameOf(selected_), file));
  return true;
}

int16_t ReceiverPane::ImportReceiver(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    Fail(QStringLiteral("Import of %1 failed: %2").arg(file, in.errorString()));
    return -1;
  }
  const QByteArray bytes = in.readAll();
  nlohmann::json json;
  auto receiver = std::make_unique<cReceiver>();
  try {
    json = ParseJsonDocument(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    ReceiverFromJson(json, *receiver);
  } catch (const std::exception& e) {
    Fail(QStringLiteral("Import of %1 failed: %2").arg(file, QString::fromUtf8(e.what())));
    return -1;
  }
  const int16_t identity = receiver->m_DiskIdentity;
  if (identity >= 0 && records_.Find(identity) != nullptr) {
    Question question;
    question.text = QStringLiteral("%1 holds receiver %2, which is %3. Replace that receiver with it, or add it "
                                   "as a new receiver?")
                        .arg(file)
                        .arg(identity)
                        .arg(NameOf(identity));
    question.answers = {QStringLiteral("Replace"), QStringLiteral("New receiver"), QStringLiteral("Cancel")};
    question.cancel_answer = 2;
    const int answer = prompts_.choose(question);
    if (answer == 2) return -1;
    if (answer == 0) {
      if (!Select(identity)) return -1;
      undo_.push(new ReceiverEditCommand(*this, identity, nlohmann::json(ReceiverToJson(*SelectedReceiver())),
                                         nlohmann::json(ReceiverToJson(*receiver)), {}));
      prompts_.log(QStringLiteral("Imported %1 over receiver %2: Save writes it").arg(file).arg(identity));
      return identity;
    }
  }
  if (!MayLeave()) return -1;
  const QString unstorable = UnstorableReceiverText(*receiver);
  if (!unstorable.isEmpty()) {
    Fail(QStringLiteral("Not imported: in %1 %2, which the code page of the record files cannot hold").arg(file, unstorable));
    return -1;
  }
  const int16_t added = records_.AddNew(std::move(receiver));
  if (added < 0) {
    Fail(QStringLiteral("Import of %1 failed: the receiver file could not be written").arg(file));
    return -1;
  }
  AddItem(added);
  Select(added);
  prompts_.log(QStringLiteral("Imported %1 as %2").arg(file, NameOf(added)));
  return added;
}

}  // namespace quindo
