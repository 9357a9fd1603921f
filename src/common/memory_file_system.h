#pragma once
// A file system held in memory: files and directories by their full path,
// with the errors the disk gives (a missing file, a missing directory, a
// directory where a file is expected). Fuzz targets install it so that no
// input touches the disk; tests can read and plant file content directly,
// fill the "disk", and act between the steps of a save.
//
// It has no links, no permissions and one process: locks always succeed.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace quindo {

class MemoryFileSystem : public FileSystem {
 public:
  // Creates a directory (and the ones above it); a trailing "/" is allowed.
  void CreateDirectory(const std::string& path);
  // Plants or reads a whole file directly, bypassing the directory checks.
  void SetFileContent(const std::string& path, std::string content);
  // The content of a file, or nullptr when there is none.
  const std::string* FileContent(const std::string& path) const;
  // Every file and directory gone.
  void Clear();
  // Writes that would make a file longer than `bytes` write what fits and
  // raise 61 "Disk full", as a full disk does; nullopt: no limit.
  void SetFileSizeLimit(std::optional<size_t> bytes) { size_limit_ = bytes; }
  // Called with the target name before every rename (of either kind), to
  // play another writer that gets there first.
  void SetBeforeRename(std::function<void(const std::string& to)> hook) { before_rename_ = std::move(hook); }
  // Appends to `journal` (nullptr: none) every step that decides what a
  // power cut would leave, in order: "sync PATH" (a file, open or by name),
  // "rename FROM TO" (once done) and "sync directory DIR". As a
  // fault-injection file system does, it lets a test check that a save
  // syncs the file before the rename and the directory after it.
  void SetJournal(std::vector<std::string>* journal) { journal_ = journal; }

  std::unique_ptr<OpenFile> Open(const std::string& path, OpenMode mode) override;
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  void RenameFile(const std::string& from, const std::string& to) override;
  void RenameNoReplace(const std::string& from, const std::string& to) override;
  std::vector<std::string> ListFiles(const std::string& directory) override;
  // Memory has nothing to force; a missing file or directory raises as on disk.
  void SyncFile(const std::string& path) override;
  void SyncDirectoryOf(const std::string& path) override;
  std::string ResolveLinks(const std::string& path) override { return path; }
  void KeepAttributes(const std::string& path, const std::string& replacement) override;
  std::unique_ptr<FileLock> LockExclusive(const std::string& path) override;

 private:
  // Raises what the disk raises when the directory of `path` is missing.
  void RequireParentDirectory(const std::string& path) const;
  bool IsDirectory(const std::string& path) const;
  void Rename(const std::string& from, const std::string& to, bool replace);

  std::map<std::string, std::shared_ptr<std::string>> files_;
  std::set<std::string> directories_;  // without a trailing "/"
  std::optional<size_t> size_limit_;
  std::function<void(const std::string&)> before_rename_;
  std::vector<std::string>* journal_ = nullptr;
};

}  // namespace quindo
