// EditorWindow: the "Agenda" tab and the "Check" list, refreshed shortly
// after any change of a profile, receiver or the calendar (undo and redo
// included), so that a burst of edits is answered once.

#include <QTimer>
#include <QUndoStack>

#include "tools/editor/answer_panes.h"
#include "tools/editor/editor_window.h"
#include "tools/editor/receiver_pane.h"
#include "tools/editor/receiver_records.h"

namespace quindo {

void EditorWindow::WireAnswers() {
  answers_timer_ = new QTimer(this);
  answers_timer_->setSingleShot(true);
  answers_timer_->setInterval(150);
  connect(answers_timer_, &QTimer::timeout, this, &EditorWindow::RefreshAnswers);
  connect(undo_, &QUndoStack::indexChanged, answers_timer_, qOverload<>(&QTimer::start));
  connect(this, &EditorWindow::directoryLoaded, answers_timer_, qOverload<>(&QTimer::start));
  connect(receivers_, &ReceiverPane::changed, answers_timer_, qOverload<>(&QTimer::start));
  const auto choose = [this](int16_t key) {
    if (SelectProfile(key)) tabs_->setCurrentWidget(profiles_page_);
  };
  connect(agenda_, &AgendaPane::profileChosen, this, choose);
  connect(check_, &CheckPane::profileChosen, this, choose);
}

void EditorWindow::RefreshAnswers() {
  answers_timer_->stop();
  std::vector<KeyedProfile> profiles;
  for (const int16_t key : directory_.Keys()) {
    profiles.push_back({key, directory_.Find(key), QString::fromStdString(directory_.Messages(key))});
  }
  std::vector<const cReceiver*> receivers;
  ReceiverRecords& records = receivers_->Records();
  for (const int16_t identity : records.Identities()) {
    if (const cReceiver* receiver = records.Find(identity)) receivers.push_back(receiver);
  }
  const QDateTime now = answers_clock_();
  agenda_->Refresh(profiles, calendar_.get(), now);
  check_->Refresh(profiles, receivers, calendar_.get(), now.date().year());
}

}  // namespace quindo
