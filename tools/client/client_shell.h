#pragma once
// The command interpreter of quindo-client: one command per input line, one
// answer line per command (the list answer with several), flushed at once.
// Commands run one after another; a command that waits runs the event loop
// meanwhile, so the control's link keeps working, and lines that arrive
// during the wait queue up behind it. An answer that begins with "error" or
// "timeout" marks the session failed, and its exit code is then 1.

#include <cstdint>
#include <functional>
#include <ostream>

#include <QElapsedTimer>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QStringList>

namespace quindo {

class ActiveProfiles;
class MemoryTreeView;

class ClientShell : public QObject {
  Q_OBJECT

 public:
  ClientShell(ActiveProfiles& control, MemoryTreeView& tree, std::ostream& out,
              QObject* parent = nullptr);

  // Queues a line and runs the queue unless a command is already running.
  void AddLine(const QString& line);
  // End of input: quits once the queued commands are done.
  void EndOfInput();
  // Follows the link and the profile messages; called after every event
  // that reaches the control.
  void ObserveControl();

 Q_SIGNALS:
  // `quit` or end of input, with the exit code.
  void finished(int exit_code);

 private:
  void RunQueue();
  // Returns false when the shell is done.
  bool Execute(const QString& line);
  void RunCommand(const QString& command, const QStringList& words, const QString& line);
  void Answer(const QString& text);
  // Runs the event loop until the condition holds or the time is up.
  bool WaitUntil(const std::function<bool()>& condition, int milliseconds);

  void ListNodes();
  void Set(const QStringList& words, const QString& line);
  void WaitEnabled(const QStringList& words, const QString& line);
  void WaitSynced(const QStringList& words);
  void Status();
  void Click(const QStringList& words);
  void Finish();

  ActiveProfiles& control_;
  MemoryTreeView& tree_;
  std::ostream& out_;
  QQueue<QString> queue_;
  bool running_ = false;
  bool input_ended_ = false;
  bool done_ = false;
  bool failed_ = false;
  // The current link: whether it is up, the profile messages it brought and
  // when the last one came.
  bool link_up_ = false;
  int64_t messages_seen_ = 0;
  int64_t messages_on_link_ = 0;
  QElapsedTimer since_message_;
};

}  // namespace quindo
