#include "tools/editor/directory_loader.h"

#include <algorithm>

#include <QMetaObject>

#include "model/profile/profile_naming.h"

namespace quindo {

namespace {

constexpr size_t kFirstBatch = 64;
constexpr size_t kBatch = 512;

}  // namespace

void DirectoryLoader::Start(RecordThreadSettings settings, QObject* receiver, Callbacks callbacks) {
  Stop();
  cancelled_ = std::make_shared<std::atomic<bool>>(false);
  running_ = true;
  auto cancelled = cancelled_;
  QPointer<QObject> target(receiver);
  auto shared = std::make_shared<Callbacks>(std::move(callbacks));
  thread_ = std::thread([settings = std::move(settings), cancelled, target, shared, this] {
    settings.ApplyToThisThread();
    const std::vector<int16_t> identities = ListStoredProfileIdentities();
    const int total = static_cast<int>(identities.size());
    size_t next = 0;
    size_t batch_size = kFirstBatch;
    do {
      auto batch = std::make_shared<ProfileBatch>();
      const size_t end = std::min(identities.size(), next + batch_size);
      for (; next < end && !*cancelled; ++next) batch->push_back(LoadProfileFile(identities[next]));
      if (*cancelled) return;
      const int done = static_cast<int>(next);
      QMetaObject::invokeMethod(target, [batch, done, total, shared, cancelled] {
        if (!*cancelled) shared->batch(batch, done, total);
      }, Qt::QueuedConnection);
      batch_size = kBatch;
    } while (next < identities.size());
    QMetaObject::invokeMethod(target, [shared, cancelled, this] {
      if (*cancelled) return;
      running_ = false;
      shared->finished();
    }, Qt::QueuedConnection);
  });
}

void DirectoryLoader::Stop() {
  if (cancelled_) *cancelled_ = true;
  if (thread_.joinable()) thread_.join();
  running_ = false;
}

}  // namespace quindo
