// Import and export of one profile in the JSON of quindo-records, so that a
// record exported here can be put with the tool and the other way round.

#include <QFile>
#include <QSaveFile>

#include "common/error.h"
#include "tools/editor/editor_window.h"
#include "tools/editor/profile_list.h"
#include "tools/records/profile_json.h"

namespace quindo {

bool EditorWindow::ExportSelected(const QString& file) {
  const cProfile* profile = SelectedProfile();
  if (profile == nullptr) {
    AppendLog(QStringLiteral("Export: select a readable profile first"));
    return false;
  }
  std::string text;
  try {
    text = records::ProfileToJson(*profile).dump(2) + "\n";
  } catch (const std::exception& e) {
    AppendLog(QStringLiteral("Export to %1 failed: %2").arg(file, QString::fromUtf8(e.what())));
    return false;
  }
  // Written whole or not at all.
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
      !out.commit()) {
    AppendLog(QStringLiteral("Export to %1 failed: %2").arg(file, out.errorString()));
    return false;
  }
  AppendLog(QStringLiteral("Exported '%1' to %2").arg(QString::fromStdString(profile->GetName()), file));
  return true;
}

int16_t EditorWindow::ImportProfile(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    AppendLog(QStringLiteral("Import of %1 failed: %2").arg(file, in.errorString()));
    return -1;
  }
  const QByteArray bytes = in.readAll();
  auto profile = std::make_unique<cProfile>();
  try {
    records::ProfileFromJson(nlohmann::json::parse(bytes.begin(), bytes.end()), *profile);
  } catch (const std::exception& e) {
    // Parse errors, InputError naming the field, and the record's own errors.
    AppendLog(QStringLiteral("Import of %1 failed: %2").arg(file, QString::fromUtf8(e.what())));
    return -1;
  }
  if (!MayLeaveSelected()) return -1;
  const int16_t identity = directory_.AddNew(std::move(profile));
  if (identity < 0) return -1;
  list_->SetProfile(identity, *directory_.Find(identity), false);
  SelectProfile(identity);
  AppendLog(QStringLiteral("Imported %1 as profile %2").arg(file).arg(identity));
  return identity;
}

}  // namespace quindo
