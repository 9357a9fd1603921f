#pragma once
// What a record file was when the editor last read or wrote it: whether it
// existed, its size, its modification time and a hash of its content. A file
// that another program (a server, quindo-records, a second editor) changed
// since gives another stamp, so a save can refuse to overwrite it unasked.

#include <cstdint>
#include <string>

namespace quindo {

struct FileStamp {
  bool exists = false;
  int64_t size = 0;
  int64_t modified_ns = 0;
  uint64_t content_hash = 0;

  // Reads the whole file; a missing or unreadable file is "not existing".
  static FileStamp Of(const std::string& path);
  // Size and time only, for a quick look at a whole directory.
  static FileStamp SizeAndTimeOf(const std::string& path);

  // Differs in size, time or content.
  bool Differs(const FileStamp& other) const;
  // Differs in what SizeAndTimeOf reads.
  bool DiffersInSizeOrTime(const FileStamp& other) const;
};

}  // namespace quindo
