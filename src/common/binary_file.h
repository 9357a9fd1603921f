#pragma once
// Binary access to a record file of the active file system (file_system.h),
// opened for one call and closed before it returns. Numbers are little-endian
// and packed without padding; a text is a 16-bit length followed by that many
// code-page bytes.
//
// The content is held in memory while the file is open (record files are a
// few kilobytes) and written back by Close(), so a record costs one read and
// one write. Every failure raises quindo::Error: a read past the end of the
// file raises 62 "Input past end of file" instead of yielding zeros, and any
// operation on a file that failed to open raises 52 "Bad file name or number",
// so that a step-by-step caller records one failure per step.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/file_system.h"

namespace quindo {

class BinaryFile {
 public:
  using Mode = OpenMode;

  // A closed file; every operation raises 52 until Open succeeds.
  BinaryFile() = default;
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  // Raises the file error of the failure (53, 70, 75, 76, ...).
  void Open(const std::string& path, Mode mode);
  // Writes back what was changed and closes; raises when the write failed.
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }

  int64_t Length() const;
  int64_t Position() const;
  void Seek(int64_t position);

  void WriteInt16(int16_t value);
  void WriteInt32(int32_t value);
  void WriteDouble(double value);
  // Converts to the code page and writes the 16-bit length and the bytes;
  // a text of more than 65535 bytes raises error 6.
  void WriteText(std::string_view utf8);
  void WriteBytes(std::string_view bytes);
  void WriteZeros(size_t count);

  int16_t ReadInt16();
  int32_t ReadInt32();
  double ReadDouble();
  std::string ReadText();  // UTF-8
  std::string ReadBytes(size_t count);

 private:
  void RequireOpen() const;
  void Put(const void* data, size_t size);
  void Get(void* data, size_t size);

  std::unique_ptr<OpenFile> file_;
  std::string path_;
  std::string content_;
  size_t position_ = 0;
  bool dirty_ = false;
};

}  // namespace quindo
