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
  // Force a file's content, or the directory holding `path`, to stable
  // storage; raise the file error.
  virtual void SyncFile(const std::string& path) = 0;
  virtual void SyncDirectoryOf(const std::string& path) = 0;
};

// The file system of this thread: the disk unless another one is installed.
FileSystem& ActiveFileSystem();
// Installs `files` for this thread (not owned; nullptr restores the disk).
void SetActiveFileSystem(FileSystem* files);

// The services of the active file system.
// True when the name is an ordinary file that is not hidden (its name does
// not start with "."); directories and errors give false. Never raises.
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

// Durable replacement of whole files (atomic_file.cc). A power cut or a
// killed process leaves either the old content or the new, never a mix.
//
// Replaces the file's whole content: the bytes go to a temporary file in the
// same directory, are forced to disk, and the temporary then replaces the
// file by a rename that is itself forced to disk. On failure the old file is
// untouched and the temporary removed; raises the file error.
void WriteFileAtomically(const std::string& path, std::string_view bytes);
// A fresh temporary name beside `path` that no record listing can take for a
// record file: "." + file name + ".tmp-" + process id + "-" + a token drawn
// once per process + "-" + counter.
std::string TemporaryNameFor(const std::string& path);
// Removes the temporaries of `path` that a killed process left: those whose
// process id is gone, or is ours with another token (an earlier process with
// the same id). Never raises: a left-over file only wastes space.
void RemoveStaleTemporaries(const std::string& path);
// Forces a file's content to disk; raises the file error.
void SyncFile(const std::string& path);
// Forces the directory holding `path` to disk, so that a rename or a new
// name in it survives a power cut; raises the file error.
void SyncDirectoryOf(const std::string& path);

// A pseudo-random number in [0, 1), one generator per thread.
double Rnd();
void SeedRnd(uint64_t seed);

}  // namespace quindo
