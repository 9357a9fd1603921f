#include "common/binary_file.h"

#include <bit>
#include <cstring>

#include "common/code_page.h"
#include "common/error.h"

namespace quindo {
namespace {

static_assert(std::endian::native == std::endian::little, "record files are little-endian");

}  // namespace

BinaryFile::~BinaryFile() {
  if (file_ != nullptr) {
    try {
      Close();
    } catch (...) {
      // A destructor cannot report; callers that care call Close() themselves.
    }
  }
}

void BinaryFile::Open(const std::string& path, Mode mode) {
  if (file_ != nullptr) throw Error(kFileAlreadyOpen);
  auto file = ActiveFileSystem().Open(path, mode);
  content_ = file->ReadAll();
  file_ = std::move(file);
  path_ = path;
  position_ = 0;
  dirty_ = false;
}

void BinaryFile::Close() {
  RequireOpen();
  const auto file = std::move(file_);
  std::string content;
  content.swap(content_);
  if (!dirty_) {
    // Nothing was written, so nothing can be lost by a failing close.
    try {
      file->Close();
    } catch (const Error&) {
    }
    return;
  }
  file->WriteAll(content);
  file->Close();
}

void BinaryFile::RequireOpen() const {
  if (file_ == nullptr) throw Error(kBadFileNameOrNumber);
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
  RequireOpen();
  if (position_ + count > content_.size()) content_.resize(position_ + count, '\0');
  std::memset(content_.data() + position_, 0, count);
  position_ += count;
  dirty_ = true;
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
