#include "tools/editor/editor_prompts.h"

#include <QMessageBox>
#include <QPushButton>

namespace quindo {

Question DiskChangeQuestion(const QString& file) {
  Question question;
  question.text = QStringLiteral("%1 changed on disk since the editor read it. Reload it (your changes are "
                                 "dropped), overwrite it with your version, or cancel the save?")
                      .arg(file);
  question.answers = {QStringLiteral("Reload"), QStringLiteral("Overwrite"), QStringLiteral("Cancel")};
  question.default_answer = 2;
  question.cancel_answer = 2;
  return question;
}

EditorPrompts EditorPrompts::MessageBoxes(QWidget* parent) {
  EditorPrompts prompts;
  prompts.save = [parent](const QString& what) {
    const auto answer = QMessageBox::question(
        parent, QStringLiteral("Unsaved changes"), QStringLiteral("Save the changes of %1?").arg(what),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return SaveChoice::kSave;
    if (answer == QMessageBox::Discard) return SaveChoice::kDiscard;
    return SaveChoice::kCancel;
  };
  prompts.choose = [parent](const Question& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("quindo-editor"), question.text, QMessageBox::NoButton,
                    parent);
    QList<QPushButton*> buttons;
    for (int i = 0; i < question.answers.size(); ++i) {
      buttons.push_back(box.addButton(question.answers[i], i == question.cancel_answer ? QMessageBox::RejectRole
                                                                                       : QMessageBox::AcceptRole));
    }
    if (question.default_answer >= 0 && question.default_answer < buttons.size()) {
      box.setDefaultButton(buttons[question.default_answer]);
    }
    if (question.cancel_answer >= 0 && question.cancel_answer < buttons.size()) {
      box.setEscapeButton(buttons[question.cancel_answer]);
    }
    box.exec();
    const int chosen = static_cast<int>(buttons.indexOf(static_cast<QPushButton*>(box.clickedButton())));
    return chosen < 0 ? question.cancel_answer : chosen;
  };
  prompts.notice = [parent](const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
  };
  return prompts;
}

}  // namespace quindo
