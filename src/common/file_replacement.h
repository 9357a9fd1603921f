#pragma once
// One durable replacement of a file, as every save of a whole file does it:
// the new content goes to a temporary file beside the file, is forced to
// disk, and replaces the file by one rename, whose directory is then forced
// to disk too. A power cut or a killed process leaves the old file or the
// new one, never a mix; a failure leaves the old file byte for byte.
//
// What the user set up is kept: a symbolic link is followed and stays a
// link (its target is replaced); the new file takes the old one's permission
// bits, and its owner and group where the process may set them; a file the
// process may not write is not replaced (70 "Permission denied"), as writing
// it in place would refuse. A hard link is a second name of the old file:
// that name keeps the old content.
//
// Concurrent writers: the replacement of an existing file holds an exclusive
// advisory lock on it from start to rename, so saves of one file follow one
// another and the later one wins whole. A new file (kNewOnly) is created by a
// rename that fails with 58 "File already exists" when another writer took
// the name first, so no save ever replaces a file it did not know about.

#include <memory>
#include <string>

#include "common/binary_file.h"
#include "common/export.h"
#include "common/file_system.h"

namespace quindo {

class QUINDO_EXPORT FileReplacement {
 public:
  enum class Target {
    kExistingOrNew,  // replaces the file, or creates it when missing
    kNewOnly,        // creates the file; 58 when it exists by then
  };

  // Finds the file to replace, locks it (waiting for another save of it),
  // removes temporaries of it that a killed save left, and creates the
  // temporary with the file's attributes. Raises the file error (70 for a
  // file the process may not write); nothing is left behind then.
  FileReplacement(const std::string& path, Target target);
  // Removes the temporary unless Commit renamed it.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // The temporary, open for writing the whole new content from position 0.
  BinaryFile& File() { return file_; }
  // The file that Commit replaces (the end of the link chain).
  const std::string& TargetPath() const { return target_; }

  // Forces the temporary to disk and renames it over the file, then forces
  // the directory. Raises the file error; a failure before the rename
  // leaves the old file as it was.
  void Commit();

 private:
  // Closes and removes the temporary unless it was renamed.
  void Discard();

  std::string target_;
  bool new_only_;
  std::unique_ptr<FileLock> lock_;
  std::string temporary_;
  BinaryFile file_;
  bool committed_ = false;
};

}  // namespace quindo
