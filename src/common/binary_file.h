#pragma once
// Binary access to a record file of the active file system (file_system.h),
// opened for one call and closed before it returns. Numbers are little-endian
// and packed without padding; a text is a 16-bit length followed by that many
// code-page bytes.
//
// Reads and writes go to their position in the file; nothing of the file is
// held beyond two small buffers, so a file costs what is read and written of
// it, whatever its length:
//   - a read that misses the read buffer fills it from the read's position
//     with one page (4 KiB), doubling up to 64 KiB while reading goes on in
//     order; a read of a page or more goes straight to the caller;
//   - consecutive writes are gathered (up to 64 KiB) and written at their
//     position before a read, a write elsewhere or Close, so Close writes
//     only what was written.
// A file opened with kAppend is written only by Append: whole records at the
// end, in one write each, under an exclusive lock, forced to disk.
//
// Every failure raises quindo::Error: a read past the end of the file raises
// 62 "Input past end of file" instead of yielding zeros, a write to a file
// opened for reading or appending raises 54 "Bad file mode", and any
// operation on a file that failed to open raises 52 "Bad file name or
// number", so that a step-by-step caller records one failure per step.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/export.h"

namespace quindo {

class QUINDO_EXPORT BinaryFile {
 public:
  using Mode = OpenMode;

  // A closed file; every operation raises 52 until Open succeeds.
  BinaryFile() = default;
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  // Raises the file error of the failure (53, 58, 70, 75, 76, ...).
  void Open(const std::string& path, Mode mode);
  // Writes what is still gathered and closes; raises when the write failed.
  void Close();
  // Writes what is gathered and forces the file to stable storage.
  void Sync();
  bool IsOpen() const { return file_ != nullptr; }
  bool IsAppendOnly() const { return file_ != nullptr && mode_ == Mode::kAppend; }
  const std::string& Path() const { return path_; }

  // The length when opened, grown by this object's own writes.
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

  // kAppend only (else 54): writes `bytes` at the end of the file as it is
  // now, whatever other processes appended, in one write under an exclusive
  // lock, and forces them to disk; a failure leaves the file at its old
  // length. The position ends after the bytes. Returns where they start.
  int64_t Append(std::string_view bytes);
  // Where the last Append put its bytes (0-based), -1 before any.
  int64_t LastAppendStart() const { return last_append_start_; }
  // The file's length now, once any append in progress has finished (under
  // a shared lock): every byte before it belongs to a finished write.
  int64_t SettledLength();

 private:
  void RequireOpen() const;
  void Flush();
  void Put(const char* data, size_t size);
  void Get(char* data, size_t size);

  std::unique_ptr<OpenFile> file_;
  std::string path_;
  Mode mode_ = Mode::kRead;
  int64_t position_ = 0;
  int64_t length_ = 0;
  int64_t last_append_start_ = -1;
  // Bytes of the file from window_start_, as last read.
  std::string window_;
  int64_t window_start_ = 0;
  size_t read_ahead_ = 0;
  // Bytes written from pending_start_ on, not yet in the file.
  std::string pending_;
  int64_t pending_start_ = 0;
};

}  // namespace quindo
