#pragma once
// The files the record classes read and write, behind one small interface:
// the disk by default, memory where no input may touch the disk (fuzzing,
// tests). BinaryFile and the whole-file services below go through the file
// system installed on this thread, so every record file gets both.
// Failures raise quindo::Error with the platform's file error numbers.
//
// The interface holds only the primitives (positioned reads and writes,
// locks, renames); what a save or an append promises is built on them once,
// in atomic_file.cc and binary_file.cc, and so holds on disk and in memory.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include "common/export.h"

namespace quindo {

enum class OpenMode {
  kRead,       // existing file, read only
  kReadWrite,  // existing file, or a new empty one when missing
  kCreate,     // a new empty file, replacing any content
  kCreateNew,  // a new empty file; 58 "File already exists" when the name is taken
  kAppend,     // existing file, or a new empty one; written only at its end
};

enum class LockKind { kShared, kExclusive };

// A file opened for the length of one call. Reads and writes name their
// position, so the object holds no copy of the file and no file offset.
class QUINDO_EXPORT OpenFile {
 public:
  virtual ~OpenFile() = default;
  virtual int64_t Size() = 0;
  // Reads up to `size` bytes at `offset`; fewer only where the file ends.
  virtual size_t ReadAt(int64_t offset, char* data, size_t size) = 0;
  // Writes all `size` bytes at `offset`, or raises (a write that stops
  // short raises what stopped it: 61 "Disk full" when nothing else did).
  virtual void WriteAt(int64_t offset, const char* data, size_t size) = 0;
  virtual void Truncate(int64_t length) = 0;
  // Forces the content and every attribute to stable storage.
  virtual void Sync() = 0;
  // Forces the content and the length only (what a reader needs).
  virtual void SyncData() = 0;
  // Advisory lock of the whole file, shared with other processes that
  // lock the same file; waits while another holder has it.
  virtual void Lock(LockKind kind) = 0;
  virtual void Unlock() = 0;
  // Closes the file, raising the failure of the close.
  virtual void Close() = 0;
};

// Appends `bytes` at the end of `file` in one write, under an exclusive lock,
// and forces them to disk; a failed write or sync cuts the file back to its
// old length before the failure is raised. Returns where the bytes start.
QUINDO_EXPORT int64_t AppendAtEnd(OpenFile& file, std::string_view bytes);

// Held while an existing file is being replaced; released when destroyed.
class QUINDO_EXPORT FileLock {
 public:
  virtual ~FileLock() = default;
};

class QUINDO_EXPORT FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Missing file in kRead: 53 "File not found"; a directory or another
  // file that is no ordinary file (a device, a pipe): 75.
  virtual std::unique_ptr<OpenFile> Open(const std::string& path, OpenMode mode) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual void DeleteFile(const std::string& path) = 0;
  // Replaces `to` by `from` in one step (both in the same directory).
  virtual void RenameFile(const std::string& from, const std::string& to) = 0;
  // As RenameFile, but raises 58 "File already exists" when `to` exists,
  // deciding in the same step (no other writer can slip in between).
  virtual void RenameNoReplace(const std::string& from, const std::string& to) = 0;
  // The names (without directory) of the ordinary files in a directory;
  // empty when it cannot be read.
  virtual std::vector<std::string> ListFiles(const std::string& directory) = 0;
  // Forces a file's content, or the directory holding `path`, to stable
  // storage; raise the file error.
  virtual void SyncFile(const std::string& path) = 0;
  virtual void SyncDirectoryOf(const std::string& path) = 0;
  // The name that a save of `path` replaces: the end of its chain of
  // symbolic links (`path` itself when it is none; the named target of a
  // link to a missing file).
  virtual std::string ResolveLinks(const std::string& path) = 0;
  // Gives `replacement` what the existing `path` has that a save must keep:
  // its permission bits, and its owner and group where this process may set
  // them. Raises 70 "Permission denied" when `path` may not be written, as
  // writing it in place would; nothing happens when `path` is missing.
  virtual void KeepAttributes(const std::string& path, const std::string& replacement) = 0;
  // An exclusive advisory lock on the file now at `path` (waiting for other
  // holders, and following a replacement that landed meanwhile); nullptr
  // when there is no file.
  virtual std::unique_ptr<FileLock> LockExclusive(const std::string& path) = 0;
};

// The file system of this thread: the disk unless another one is installed.
QUINDO_EXPORT FileSystem& ActiveFileSystem();
// Installs `files` for this thread (not owned; nullptr restores the disk).
QUINDO_EXPORT void SetActiveFileSystem(FileSystem* files);

// The services of the active file system.
// True when the name is an ordinary file that is not hidden (its name does
// not start with "."); directories and errors give false. Never raises.
QUINDO_EXPORT bool FileExists(const std::string& path);
// True when the name is a directory; never raises.
QUINDO_EXPORT bool DirectoryExists(const std::string& path);
// Deletes a file; a missing file raises 53 "File not found".
QUINDO_EXPORT void DeleteFile(const std::string& path);
// Appends bytes at the end of a file, creating it when missing: in one
// write, under an exclusive lock, forced to disk; a failed write cuts the
// file back to its old length, so other appenders and readers never meet a
// part of it. A new file's name is forced to disk too.
QUINDO_EXPORT void AppendToFile(const std::string& path, std::string_view bytes);
// Replaces `to` by `from` in one step (both in the same directory).
QUINDO_EXPORT void RenameFile(const std::string& from, const std::string& to);
// See FileSystem::ListFiles.
QUINDO_EXPORT std::vector<std::string> ListFiles(const std::string& directory);
// The content of an ordinary file of at most `limit` bytes, read without
// ever holding more; a longer file raises 6 "File too large", so a huge or
// endless file costs no more than a valid one.
QUINDO_EXPORT std::string ReadWholeFile(const std::string& path, size_t limit);

// Durable replacement of whole files (atomic_file.cc). A power cut or a
// killed process leaves either the old content or the new, never a mix.
//
// Replaces the file's whole content: the bytes go to a temporary file beside
// the file (beside the target of a symbolic link, which stays a link), take
// the old file's permission bits and, where allowed, its owner and group,
// are forced to disk, and the temporary then replaces the file by a rename
// that is itself forced to disk. The old file is locked meanwhile, so that
// concurrent saves follow one another whole. A file the process may not
// write is not replaced (70). On failure the old file is untouched and the
// temporary removed; raises the file error.
QUINDO_EXPORT void WriteFileAtomically(const std::string& path, std::string_view bytes);
// A fresh temporary name beside `path` that no record listing can take for a
// record file: "." + file name + ".tmp-" + process id + "-" + a token drawn
// once per process + "-" + counter.
QUINDO_EXPORT std::string TemporaryNameFor(const std::string& path);
// Removes the temporaries of `path` that a killed process left: those whose
// process id is gone, or is ours with another token (an earlier process with
// the same id). Never raises: a left-over file only wastes space.
QUINDO_EXPORT void RemoveStaleTemporaries(const std::string& path);
// Forces a file's content to disk; raises the file error.
QUINDO_EXPORT void SyncFile(const std::string& path);
// Forces the directory holding `path` to disk, so that a rename or a new
// name in it survives a power cut; raises the file error.
QUINDO_EXPORT void SyncDirectoryOf(const std::string& path);

// A pseudo-random number in [0, 1), one generator per thread.
QUINDO_EXPORT double Rnd();
QUINDO_EXPORT void SeedRnd(uint64_t seed);

}  // namespace quindo
