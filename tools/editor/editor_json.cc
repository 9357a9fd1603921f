// Import and export of one profile in the JSON of quindo-records, so that a
// record exported here can be put with the tool and the other way round. An
// import never writes: it replaces the profile of its identity (when the
// user says so) or becomes a draft, and Save writes it.

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "common/error.h"
#include "json/profile_json.h"
#include "tools/editor/editor_checks.h"
#include "tools/editor/editor_window.h"
#include "tools/editor/profile_list.h"

namespace quindo {

namespace {

// Periods that are stored oddly are named; the user keeps or drops them.
// False when the user cancels the import.
bool ReviewOddPeriods(cTimeSchedule& schedule, const QString& file, EditorPrompts& prompts) {
  const std::vector<OddPeriod> odd = FindOddPeriods(schedule);
  if (odd.empty()) return true;
  QStringList lines;
  for (const OddPeriod& period : odd) lines << DescribeOddPeriod(period);
  Question question;
  question.text = QStringLiteral("%1 holds periods that are not within 00:00-24:00 with the start before the stop:\n"
                                 "%2\nEach counts only for the minutes from its start up to its stop within the "
                                 "day. Keep them as stored, or drop them?")
                      .arg(file, lines.join(QLatin1Char('\n')));
  question.answers = {QStringLiteral("Keep as stored"), QStringLiteral("Drop them"), QStringLiteral("Cancel")};
  question.default_answer = 0;
  question.cancel_answer = 2;
  const int answer = prompts.choose(question);
  if (answer == 2) return false;
  if (answer == 1) DropPeriods(schedule, odd);
  prompts.log(QStringLiteral("%1: %2 odd period(s) %3")
                  .arg(file)
                  .arg(odd.size())
                  .arg(answer == 1 ? QStringLiteral("dropped") : QStringLiteral("kept as stored")));
  return true;
}

}  // namespace

QString EditorWindow::SuggestedExportFile() const {
  const cProfile* profile = directory_.Find(selected_);
  QString name = profile != nullptr ? QString::fromStdString(profile->GetName()) : QString();
  for (QChar& c : name) {
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control) c = QLatin1Char('_');
  }
  if (name.trimmed().isEmpty()) name = QStringLiteral("profile");
  return QDir(directory_path_.isEmpty() ? QDir::currentPath() : directory_path_).filePath(name + QStringLiteral(".json"));
}

bool EditorWindow::ExportSelected(const QString& file) {
  const cProfile* profile = SelectedProfile();
  if (profile == nullptr) {
    Fail(QStringLiteral("Export: select a readable profile first"));
    return false;
  }
  std::string text;
  try {
    text = ProfileToJson(*profile).dump(2) + "\n";
  } catch (const std::exception& e) {
    Fail(QStringLiteral("Export to %1 failed: %2").arg(file, QString::fromUtf8(e.what())));
    return false;
  }
  // Written whole or not at all.
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
      !out.commit()) {
    Fail(QStringLiteral("Export to %1 failed: %2").arg(file, out.errorString()));
    return false;
  }
  AppendLog(QStringLiteral("Exported '%1' to %2").arg(QString::fromStdString(profile->GetName()), file));
  return true;
}

int16_t EditorWindow::ImportProfile(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    Fail(QStringLiteral("Import of %1 failed: %2").arg(file, in.errorString()));
    return kNoProfile;
  }
  const QByteArray bytes = in.readAll();
  auto profile = std::make_unique<cProfile>();
  try {
    const std::string_view text(bytes.constData(), static_cast<size_t>(bytes.size()));
    ProfileFromJson(ParseJsonDocument(text), *profile);
  } catch (const std::exception& e) {
    // Bad JSON, JsonInputError naming the field, and the record's own errors.
    Fail(QStringLiteral("Import of %1 failed: %2").arg(file, QString::fromUtf8(e.what())));
    return kNoProfile;
  }
  if (!ReviewOddPeriods(*profile->m_TimeSchedule, file, prompts_)) return kNoProfile;

  // A profile of an identity the directory holds: replace it, as
  // quindo-records profile put does, or take it in as a new profile.
  const int16_t identity = profile->m_DiskIdentity;
  if (identity >= 0 && directory_.Contains(identity) && !directory_.IsDraft(identity)) {
    const cProfile* held = directory_.Find(identity);
    Question question;
    question.text = QStringLiteral("%1 holds profile %2, which is %3. Replace that profile with it, or add it as "
                                   "a new profile?")
                        .arg(file)
                        .arg(identity)
                        .arg(held != nullptr ? QStringLiteral("'%1'").arg(QString::fromStdString(held->GetName()))
                                             : QStringLiteral("an unreadable file"));
    question.answers = {QStringLiteral("Replace"), QStringLiteral("New profile"), QStringLiteral("Cancel")};
    question.default_answer = 0;
    question.cancel_answer = 2;
    const int answer = prompts_.choose(question);
    if (answer == 2) return kNoProfile;
    if (answer == 0) {
      if (held == nullptr) {
        Fail(QStringLiteral("Import of %1: profile %2 is unreadable; delete it first or import as new")
                 .arg(file)
                 .arg(identity));
        return kNoProfile;
      }
      tabs_->setCurrentWidget(profiles_page_);
      if (!SelectProfile(identity)) return kNoProfile;
      undo_->push(new ProfileReplaceCommand(*this, identity, std::move(profile)));
      AppendLog(QStringLiteral("Imported %1 over profile %2: Save writes it").arg(file).arg(identity));
      return identity;
    }
  }
  if (!MayLeaveSelected()) return kNoProfile;
  const int16_t key = ShowDraft(directory_.AddDraft(std::move(profile)));
  AppendLog(QStringLiteral("Imported %1 as a new profile: Save writes its file").arg(file));
  return key;
}

}  // namespace quindo
