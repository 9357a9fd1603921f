// Durable whole-file replacement (file_replacement.h): write a temporary,
// force it to disk, rename it over the file, force the directory. Without the
// two syncs a power cut after the rename can leave the renamed file empty or
// partial on common Linux file systems, the very loss the temporary was meant
// to prevent.

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <random>
#include <string_view>
#include <unistd.h>

#include "common/error.h"
#include "common/file_replacement.h"
#include "common/file_system.h"

namespace quindo {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Tells this process's temporaries from those of an earlier process that had
// the same id (ids repeat, in a container from run to run): drawn once.
const std::string& ProcessToken() {
  static const std::string token = [] {
    std::random_device random;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%08x%08x", random(), random());
    return std::string(digits);
  }();
  return token;
}

// True when the process that made a temporary ("pid-token-counter" after the
// mark) is gone: no process has its id, or the id is ours but the token is
// not. A name we cannot read is left alone.
bool OwnerIsGone(std::string_view rest) {
  const size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos) return false;
  long pid = 0;
  for (char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9' || pid > 4'000'000) return false;
    pid = pid * 10 + (c - '0');
  }
  if (pid == ::getpid()) {
    // Ours may be in use by another thread.
    return !rest.substr(dash + 1).starts_with(ProcessToken() + "-");
  }
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<uint64_t> counter{0};
  const size_t slash = path.rfind('/');
  const size_t base = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(0, base) + "." + path.substr(base) + std::string(kTemporaryMark) +
         std::to_string(::getpid()) + "-" + ProcessToken() + "-" + std::to_string(counter++);
}

void RemoveStaleTemporaries(const std::string& path) {
  const std::string prefix = "." + BaseNameOf(path) + std::string(kTemporaryMark);
  for (const std::string& name : ListFiles(DirectoryOf(path))) {
    if (name.size() <= prefix.size() || !name.starts_with(prefix)) continue;
    if (!OwnerIsGone(std::string_view(name).substr(prefix.size()))) continue;
    try {
      DeleteFile(DirectoryOf(path) + "/" + name);
    } catch (const Error&) {
      // Left for the next save; it only wastes space.
    }
  }
}

FileReplacement::FileReplacement(const std::string& path, Target target)
    : target_(ActiveFileSystem().ResolveLinks(path)), new_only_(target == Target::kNewOnly) {
  FileSystem& files = ActiveFileSystem();
  // A new file has nothing to lock: its rename decides who gets the name.
  if (!new_only_) lock_ = files.LockExclusive(target_);
  RemoveStaleTemporaries(target_);
  temporary_ = TemporaryNameFor(target_);
  file_.Open(temporary_, OpenMode::kCreateNew);
  try {
    if (!new_only_) files.KeepAttributes(target_, temporary_);
  } catch (...) {
    Discard();
    throw;
  }
}

FileReplacement::~FileReplacement() { Discard(); }

void FileReplacement::Discard() {
  if (committed_ || temporary_.empty()) return;
  try {
    if (file_.IsOpen()) file_.Close();
  } catch (const Error&) {
    // Its content is dropped anyway.
  }
  try {
    DeleteFile(temporary_);
  } catch (const Error&) {
    // Already gone; a left-over hidden file is removed by a later save.
  }
  temporary_.clear();
}

// Every step goes through the active file system, so that the same save
// runs on the disk and in memory.
void FileReplacement::Commit() {
  // Forced to disk before the rename: otherwise a power cut can leave the
  // renamed file empty or partial.
  file_.Sync();
  file_.Close();
  if (new_only_) {
    ActiveFileSystem().RenameNoReplace(temporary_, target_);
  } else {
    RenameFile(temporary_, target_);
  }
  committed_ = true;
  SyncDirectoryOf(target_);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  FileReplacement replacement(path, FileReplacement::Target::kExistingOrNew);
  replacement.File().WriteBytes(bytes);
  replacement.Commit();
}

}  // namespace quindo
