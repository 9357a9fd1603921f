#include "common/memory_file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/error.h"

namespace quindo {
namespace {

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string ParentOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void Note(std::vector<std::string>* journal, std::string step) {
  if (journal != nullptr) journal->push_back(std::move(step));
}

// The content is shared with the file system: the open file writes into the
// file it was opened on even if that is renamed or deleted meanwhile, as a
// descriptor does.
class MemoryFile : public OpenFile {
 public:
  // `size_limit` and `journal` are the file system's, so that a disk that
  // fills up fills up for files already open too.
  MemoryFile(std::string path, std::shared_ptr<std::string> content, const std::optional<size_t>& size_limit,
             std::vector<std::string>* const& journal)
      : path_(std::move(path)), content_(std::move(content)), size_limit_(size_limit), journal_(journal) {}

  int64_t Size() override { return static_cast<int64_t>(content_->size()); }

  size_t ReadAt(int64_t offset, char* data, size_t size) override {
    const auto start = static_cast<size_t>(offset);
    if (start >= content_->size()) return 0;
    const size_t n = std::min(size, content_->size() - start);
    std::memcpy(data, content_->data() + start, n);
    return n;
  }

  void WriteAt(int64_t offset, const char* data, size_t size) override {
    const auto start = static_cast<size_t>(offset);
    size_t fits = size;
    if (size_limit_) fits = start >= *size_limit_ ? 0 : std::min(size, *size_limit_ - start);
    if (content_->size() < start + fits) content_->resize(start + fits);
    std::memcpy(content_->data() + start, data, fits);
    if (fits < size) throw Error(kDiskFull);
  }

  void Truncate(int64_t length) override { content_->resize(static_cast<size_t>(length)); }
  void Sync() override { Note(journal_, "sync " + path_); }
  void SyncData() override { Note(journal_, "sync " + path_); }
  void Lock(LockKind) override {}
  void Unlock() override {}
  void Close() override {}

 private:
  const std::string path_;  // the name it was opened under
  std::shared_ptr<std::string> content_;
  const std::optional<size_t>& size_limit_;
  std::vector<std::string>* const& journal_;
};

class MemoryFileLock : public FileLock {};

}  // namespace

void MemoryFileSystem::CreateDirectory(const std::string& path) {
  std::string directory = WithoutTrailingSlash(path);
  while (!directory.empty() && directory != "/" && directory != "." && directories_.insert(directory).second) {
    directory = ParentOf(directory);
  }
}

void MemoryFileSystem::SetFileContent(const std::string& path, std::string content) {
  files_[path] = std::make_shared<std::string>(std::move(content));
}

const std::string* MemoryFileSystem::FileContent(const std::string& path) const {
  const auto found = files_.find(path);
  return found == files_.end() ? nullptr : found->second.get();
}

void MemoryFileSystem::Clear() {
  files_.clear();
  directories_.clear();
}

bool MemoryFileSystem::IsDirectory(const std::string& path) const {
  const std::string directory = WithoutTrailingSlash(path);
  return directory == "/" || directory == "." || directories_.count(directory) != 0;
}

void MemoryFileSystem::RequireParentDirectory(const std::string& path) const {
  if (path.empty() || !IsDirectory(ParentOf(path))) throw FileErrorFromErrno(ENOENT);
}

std::unique_ptr<OpenFile> MemoryFileSystem::Open(const std::string& path, OpenMode mode) {
  if (IsDirectory(path)) throw Error(kPathFileAccessError);
  auto found = files_.find(path);
  if (found == files_.end()) {
    if (mode == OpenMode::kRead) throw Error(kFileNotFound);
    RequireParentDirectory(path);
    found = files_.emplace(path, std::make_shared<std::string>()).first;
  } else if (mode == OpenMode::kCreateNew) {
    throw Error(kFileAlreadyExists);
  } else if (mode == OpenMode::kCreate) {
    found->second->clear();
  }
  return std::make_unique<MemoryFile>(path, found->second, size_limit_, journal_);
}

bool MemoryFileSystem::FileExists(const std::string& path) { return files_.count(path) != 0; }

bool MemoryFileSystem::DirectoryExists(const std::string& path) { return !path.empty() && IsDirectory(path); }

void MemoryFileSystem::DeleteFile(const std::string& path) {
  if (files_.erase(path) != 0) return;
  if (IsDirectory(path)) throw FileErrorFromErrno(EISDIR);
  throw Error(kFileNotFound);
}

void MemoryFileSystem::Rename(const std::string& from, const std::string& to, bool replace) {
  if (before_rename_) before_rename_(to);
  const auto found = files_.find(from);
  if (found == files_.end()) throw FileErrorFromErrno(ENOENT);
  if (IsDirectory(to)) throw FileErrorFromErrno(EISDIR);
  RequireParentDirectory(to);
  if (!replace && files_.count(to) != 0) throw Error(kFileAlreadyExists);
  auto content = std::move(found->second);
  files_.erase(found);
  files_[to] = std::move(content);
  Note(journal_, "rename " + from + " " + to);
}

void MemoryFileSystem::RenameFile(const std::string& from, const std::string& to) { Rename(from, to, true); }

void MemoryFileSystem::RenameNoReplace(const std::string& from, const std::string& to) { Rename(from, to, false); }

std::vector<std::string> MemoryFileSystem::ListFiles(const std::string& directory) {
  std::vector<std::string> names;
  if (!DirectoryExists(directory)) return names;
  std::string prefix = WithoutTrailingSlash(directory);
  if (prefix.back() != '/') prefix += '/';
  for (auto it = files_.lower_bound(prefix); it != files_.end() && it->first.starts_with(prefix); ++it) {
    const std::string name = it->first.substr(prefix.size());
    if (name.find('/') == std::string::npos) names.push_back(name);
  }
  return names;
}

void MemoryFileSystem::SyncFile(const std::string& path) {
  if (files_.count(path) == 0 && !IsDirectory(path)) throw FileErrorFromErrno(ENOENT);
  Note(journal_, "sync " + path);
}

void MemoryFileSystem::SyncDirectoryOf(const std::string& path) {
  if (!IsDirectory(ParentOf(path))) throw FileErrorFromErrno(ENOENT);
  Note(journal_, "sync directory " + ParentOf(path));
}

void MemoryFileSystem::KeepAttributes(const std::string&, const std::string& replacement) {
  if (files_.count(replacement) == 0) throw FileErrorFromErrno(ENOENT);
}

std::unique_ptr<FileLock> MemoryFileSystem::LockExclusive(const std::string& path) {
  if (files_.count(path) == 0) return nullptr;
  return std::make_unique<MemoryFileLock>();
}

}  // namespace quindo
