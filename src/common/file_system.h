#pragma once
// The files the record classes read and write, behind one small interface:
// the disk by default, memory where no input may touch the disk (fuzzing,
// tests). BinaryFile and the whole-file services below go through the file
// system installed on this thread, so every record file gets both.
// Failures raise quindo::Error with the platform's file error numbers.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quindo {

enum class OpenMode {
  kRead,       // existing file, read only
  kReadWrite,  // existing file, or a new empty one when missing
  kCreate,     // a new empty file, replacing any content
};

// A file opened for the length of one call.
class OpenFile {
 public:
  virtual ~OpenFile() = default;
  // The content the file had when it was opened.
  virtual std::string ReadAll() = 0;
  // Writes `content` from the start of the file (record files only grow
  // while open, so nothing of the old content is left beyond it).
  virtual void WriteAll(std::string_view content) = 0;
  // Closes the file, raising the failure of the close.
  virtual void Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Missing file in kRead: 53 "File not found"; a directory: 75.
  virtual std::unique_ptr<OpenFile> Open(const std::string& path, OpenMode mode) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual void DeleteFile(const std::string& path) = 0;
  virtual void AppendToFile(const std::string& path, std::string_view bytes) = 0;
  virtual void RenameFile(const std::string& from, const std::string& to) = 0;
  // The names (without directory) of the ordinary files in a directory;
  // empty when it cannot be read.
  virtual std::vector<std::string> ListFiles(const std::string& directory) = 0;
};

// The file system of this thread: the disk unless another one is installed.
FileSystem& ActiveFileSystem();
// Installs `files` for this thread (not owned; nullptr restores the disk).
void SetActiveFileSystem(FileSystem* files);

// The services of the active file system.
// True when the name is an ordinary file; never raises.
bool FileExists(const std::string& path);
// True when the name is a directory; never raises.
bool DirectoryExists(const std::string& path);
// Deletes a file; a missing file raises 53 "File not found".
void DeleteFile(const std::string& path);
// Appends bytes at the end of a file, creating it when missing.
void AppendToFile(const std::string& path, std::string_view bytes);
// Replaces `to` by `from` in one step (both in the same directory).
void RenameFile(const std::string& from, const std::string& to);
// See FileSystem::ListFiles.
std::vector<std::string> ListFiles(const std::string& directory);

// A pseudo-random number in [0, 1), one generator per thread.
double Rnd();
void SeedRnd(uint64_t seed);

}  // namespace quindo
