#pragma once
// Everything the editor asks or tells the user outside its own window, as
// replaceable functions: message boxes in the program, answers and
// recordings in the tests. The window owns one EditorPrompts; its panes
// keep a reference, so a test's replacement reaches them too.

#include <functional>

#include <QString>
#include <QStringList>

class QWidget;

namespace quindo {

enum class SaveChoice { kSave, kDiscard, kCancel };

// A question with named answers: the prompt returns the index of the
// answer chosen, `cancel_answer` when the user closes it (Escape).
struct Question {
  QString text;
  QStringList answers;
  int default_answer = 0;
  int cancel_answer = 0;
};

// Asked before a save over a record file that changed on disk since it was
// read: Reload (0), Overwrite (1) or Cancel (2, the default).
Question DiskChangeQuestion(const QString& file);

struct EditorPrompts {
  // Asked before changes would be left: `what` names the record.
  std::function<SaveChoice(const QString& what)> save;
  std::function<int(const Question& question)> choose;
  // A message the user must see: the failure of an action they asked for,
  // or an answer they asked for ("Active now?").
  std::function<void(const QString& title, const QString& text)> notice;
  // A line of the window's log (also shown in the status bar).
  std::function<void(const QString& line)> log;

  // Message boxes over `parent`; log stays empty for the window to set.
  static EditorPrompts MessageBoxes(QWidget* parent);
};

}  // namespace quindo
