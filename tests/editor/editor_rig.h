#pragma once
// A quindo-editor window on a fresh sample directory, for the widget tests:
// every question it asks is answered from queues the test fills (and
// counted), every message it shows is recorded, and the language file is
// loaded so that messages and day-type names are the program's.

#include <memory>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "common/language.h"
#include "common/shipped_files.h"
#include "tests/editor/editor_test_data.h"
#include "tools/editor/editor_window.h"
#include "tools/editor/profile_fields.h"
#include "tools/editor/profile_form.h"

namespace quindo {

class EditorRig {
 public:
  static constexpr int kSamples = 12;

  // Writes the samples; `before_open` may change the files first.
  bool Start(const std::function<void(EditorRig&)>& before_open = {}) {
    LoadLanguageFile(FindShippedLanguageFile().value());
    save_answers.clear();
    save_questions.clear();
    answers.clear();
    questions.clear();
    notices.clear();
    dir = std::make_unique<QTemporaryDir>();
    if (!WriteSampleDirectory(dir->path(), kSamples)) return false;
    if (before_open) before_open(*this);
    window = std::make_unique<EditorWindow>();
    EditorPrompts& prompts = window->Prompts();
    prompts.save = [this](const QString& what) {
      save_questions << what;
      return save_answers.isEmpty() ? SaveChoice::kCancel : save_answers.takeFirst();
    };
    prompts.choose = [this](const Question& question) {
      questions << question;
      return answers.isEmpty() ? question.cancel_answer : answers.takeFirst();
    };
    prompts.notice = [this](const QString&, const QString& text) { notices << text; };
    window->show();
    return Open();
  }
  bool Open() {
    QSignalSpy loaded(window.get(), &EditorWindow::directoryLoaded);
    return window->OpenDirectory(dir->path()) && loaded.wait(10000);
  }
  void Stop() {
    save_answers = {SaveChoice::kDiscard, SaveChoice::kDiscard, SaveChoice::kDiscard};
    answers.clear();
    window.reset();
    dir.reset();
  }

  QString ProfileFile(int identity) const {
    return dir->path() + QStringLiteral("/Profiles/Profile_%1.dat").arg(identity, 4, 10, QLatin1Char('0'));
  }
  // Profile `identity` as stored now (with no schedule when it cannot be read).
  static cProfile Saved(int16_t identity) {
    cProfile profile;
    if (!profile.LoadFromDisk(identity)) profile.m_TimeSchedule.reset();
    return profile;
  }
  // The names of the files in a folder of the directory.
  QStringList Files(const QString& folder) const {
    return QDir(dir->path() + QLatin1Char('/') + folder).entryList(QDir::Files);
  }
  QByteArray Bytes(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QWidget* Editor(const char* key) const { return window->Form()->Editor(FindProfileField(QLatin1String(key))); }
  QLineEdit* Field(const char* key) const { return qobject_cast<QLineEdit*>(Editor(key)); }
  void TypeName(const QString& text) {
    QLineEdit* name = Field("Name");
    name->selectAll();
    QTest::keyClicks(name, text);
  }
  QString LogText() const { return window->Log()->toPlainText(); }
  // Real keys go to the focused widget of the active window.
  bool Activate() {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
  }

  std::unique_ptr<QTemporaryDir> dir;
  std::unique_ptr<EditorWindow> window;
  QList<SaveChoice> save_answers;  // for Save / Discard / Cancel, in turn; Cancel when empty
  QStringList save_questions;
  QList<int> answers;  // for the other questions, in turn; their cancel answer when empty
  QList<Question> questions;
  QStringList notices;
};

}  // namespace quindo
