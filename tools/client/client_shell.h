#pragma once
// The command interpreter of quindo-client: one command per input line, one
// answer line per command (the list answer with several), flushed at once.
// Commands run one after another; a command that waits runs the event loop
// meanwhile, so the control's link keeps working, and lines that arrive
// during the wait queue up behind it.

#include <functional>
#include <ostream>

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
  void WaitEnabled(const QStringList& words, const QString& line);
  void Click(const QStringList& words);

  ActiveProfiles& control_;
  MemoryTreeView& tree_;
  std::ostream& out_;
  QQueue<QString> queue_;
  bool running_ = false;
  bool input_ended_ = false;
  bool done_ = false;
};

}  // namespace quindo
