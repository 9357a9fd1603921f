#include "qt/line_reader.h"

#include <functional>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>

#include <QMetaObject>
#include <QPointer>

namespace quindo {

// The reader thread may still be blocked in a read when the reader object is
// gone; it then finds `owner` empty and drops what it read.
struct LineReader::Shared {
  std::mutex mutex;
  QPointer<LineReader> owner;
};

LineReader::LineReader(QObject* parent) : QObject(parent), shared_(std::make_shared<Shared>()) {
  shared_->owner = this;
}

LineReader::~LineReader() {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->owner = nullptr;
}

void LineReader::Start() {
  std::thread([shared = shared_] {
    // Posts to the owner's thread, if the owner is still there.
    auto post = [&shared](const std::function<void(LineReader*)>& deliver) {
      std::lock_guard<std::mutex> lock(shared->mutex);
      if (!shared->owner) return;
      QPointer<LineReader> owner = shared->owner;
      QMetaObject::invokeMethod(
          owner.data(),
          [owner, deliver] {
            if (owner) deliver(owner.data());
          },
          Qt::QueuedConnection);
    };
    std::string line;
    while (std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const QString text = QString::fromStdString(line);
      post([text](LineReader* reader) { Q_EMIT reader->lineRead(text); });
    }
    post([](LineReader* reader) { Q_EMIT reader->finished(); });
  }).detach();
}

}  // namespace quindo
