#include "common/binary_file.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/code_page.h"
#include "common/error.h"

namespace quindo {
namespace {

static_assert(std::endian::native == std::endian::little, "record files are little-endian");

}  // namespace

BinaryFile::~BinaryFile() {
  if (fd_ >= 0) {
    try {
      Close();
    } catch (...) {
      // A destructor cannot report; callers that care call Close() themselves.
    }
  }
}

void BinaryFile::Open(const std::string& path, Mode mode) {
  if (fd_ >= 0) throw Error(kFileAlreadyOpen);
  int flags = O_CLOEXEC;
  switch (mode) {
    case Mode::kRead: flags |= O_RDONLY; break;
    case Mode::kReadWrite: flags |= O_RDWR | O_CREAT; break;
    case Mode::kCreate: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
  }
  const int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) {
    if (errno == ENOENT && mode == Mode::kRead) throw Error(kFileNotFound);
    throw FileErrorFromErrno(errno);
  }
  struct stat info{};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    throw Error(kPathFileAccessError);
  }
  std::string content(static_cast<size_t>(info.st_size), '\0');
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::read(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  content.resize(done);
  fd_ = fd;
  path_ = path;
  content_ = std::move(content);
  position_ = 0;
  dirty_ = false;
}

void BinaryFile::Close() {
  RequireOpen();
  const int fd = fd_;
  fd_ = -1;
  int error = 0;
  if (dirty_) {
    size_t done = 0;
    while (done < content_.size() && error == 0) {
      const ssize_t n = ::pwrite(fd, content_.data() + done, content_.size() - done, static_cast<off_t>(done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) error = errno;
      else if (n == 0) error = ENOSPC;
      else done += static_cast<size_t>(n);
    }
  }
  if (::close(fd) != 0 && error == 0 && dirty_) error = errno;
  content_.clear();
  if (error != 0) throw FileErrorFromErrno(error);
}

void BinaryFile::RequireOpen() const {
  if (fd_ < 0) throw Error(kBadFileNameOrNumber);
}

int64_t BinaryFile::Length() const {
  RequireOpen();
  return static_cast<int64_t>(content_.size());
}

int64_t BinaryFile::Position() const {
  RequireOpen();
  return static_cast<int64_t>(position_);
}

void BinaryFile::Seek(int64_t position) {
  RequireOpen();
  if (position < 0) throw Error(kBadFileNameOrNumber);
  position_ = static_cast<size_t>(position);
}

void BinaryFile::Put(const void* data, size_t size) {
  RequireOpen();
  if (position_ + size > content_.size()) content_.resize(position_ + size, '\0');
  std::memcpy(content_.data() + position_, data, size);
  position_ += size;
  dirty_ = true;
}

void BinaryFile::Get(void* data, size_t size) {
  RequireOpen();
  if (position_ > content_.size() || content_.size() - position_ < size) {
    throw Error(kInputPastEndOfFile);
  }
  std::memcpy(data, content_.data() + position_, size);
  position_ += size;
}

void BinaryFile::WriteInt16(int16_t value) { Put(&value, sizeof value); }
void BinaryFile::WriteInt32(int32_t value) { Put(&value, sizeof value); }
void BinaryFile::WriteDouble(double value) { Put(&value, sizeof value); }

void BinaryFile::WriteText(std::string_view utf8) {
  RequireOpen();
  const std::string bytes = TextToBytes(utf8);
  if (bytes.size() > 0xFFFF) throw Error(kOverflow);
  const auto length = static_cast<uint16_t>(bytes.size());
  Put(&length, sizeof length);
  Put(bytes.data(), bytes.size());
}

void BinaryFile::WriteBytes(std::string_view bytes) { Put(bytes.data(), bytes.size()); }

void BinaryFile::WriteZeros(size_t count) {
  const std::string zeros(count, '\0');
  Put(zeros.data(), zeros.size());
}

int16_t BinaryFile::ReadInt16() {
  int16_t value;
  Get(&value, sizeof value);
  return value;
}

int32_t BinaryFile::ReadInt32() {
  int32_t value;
  Get(&value, sizeof value);
  return value;
}

double BinaryFile::ReadDouble() {
  double value;
  Get(&value, sizeof value);
  return value;
}

std::string BinaryFile::ReadText() {
  uint16_t length;
  Get(&length, sizeof length);
  return BytesToText(ReadBytes(length));
}

std::string BinaryFile::ReadBytes(size_t count) {
  std::string bytes(count, '\0');
  Get(bytes.data(), count);
  return bytes;
}

}  // namespace quindo
