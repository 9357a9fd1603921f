#pragma once
// The file system on disk (POSIX calls); the default of every thread.

#include "common/file_system.h"

namespace quindo {

class DiskFileSystem : public FileSystem {
 public:
  std::unique_ptr<OpenFile> Open(const std::string& path, OpenMode mode) override;
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  void RenameFile(const std::string& from, const std::string& to) override;
  void RenameNoReplace(const std::string& from, const std::string& to) override;
  std::vector<std::string> ListFiles(const std::string& directory) override;
  void SyncFile(const std::string& path) override;
  void SyncDirectoryOf(const std::string& path) override;
  std::string ResolveLinks(const std::string& path) override;
  void KeepAttributes(const std::string& path, const std::string& replacement) override;
  std::unique_ptr<FileLock> LockExclusive(const std::string& path) override;
};

}  // namespace quindo
