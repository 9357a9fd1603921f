#pragma once
// Loads the profile files of a data directory on a thread of its own and
// hands them to the UI thread in batches, so that a directory of thousands
// of profiles fills the list while the window keeps answering. The first
// batch is small, so the list appears at once.

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QObject>
#include <QPointer>

#include "tools/editor/profile_directory.h"

namespace quindo {

using ProfileBatch = std::vector<LoadedProfile>;

class DirectoryLoader {
 public:
  // Called on the receiver's thread: each batch with the count done so far
  // and the total, then `finished` once (not after Stop).
  struct Callbacks {
    std::function<void(std::shared_ptr<ProfileBatch> batch, int done, int total)> batch;
    std::function<void()> finished;
  };

  DirectoryLoader() = default;
  DirectoryLoader(const DirectoryLoader&) = delete;
  DirectoryLoader& operator=(const DirectoryLoader&) = delete;
  ~DirectoryLoader() { Stop(); }

  // Stops a running load and starts one of the directory that `settings`
  // name, reading with those settings (and reporting with their texts).
  void Start(RecordThreadSettings settings, QObject* receiver, Callbacks callbacks);
  // Stops the thread; batches not yet delivered are dropped.
  void Stop();
  bool Running() const { return running_; }

 private:
  std::thread thread_;
  std::shared_ptr<std::atomic<bool>> cancelled_;
  bool running_ = false;
};

}  // namespace quindo
