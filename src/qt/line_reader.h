#pragma once
// Reads standard input line by line on a thread of its own and hands each
// line to the event loop's thread, so that a headless tool keeps its sockets
// and timers running while it waits for the next command. Pipes and files
// both work, which a socket notifier on a regular file would not.

#include <functional>
#include <memory>

#include <QObject>
#include <QString>

namespace quindo {

class LineReader : public QObject {
  Q_OBJECT

 public:
  explicit LineReader(QObject* parent = nullptr);
  ~LineReader() override;

  // Starts reading; once per process, as it owns standard input.
  void Start();

 Q_SIGNALS:
  // A line without its line break (a trailing "\r" is dropped too).
  void lineRead(const QString& line);
  // End of input or a read error; no line follows.
  void finished();

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

}  // namespace quindo
