#include "common/binary_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "common/code_page.h"
#include "common/error.h"

namespace quindo {
namespace {

static_assert(std::endian::native == std::endian::little, "record files are little-endian");

// One page: what the disk reads for the smallest read anyway.
constexpr size_t kFirstReadAhead = 4096;
constexpr size_t kLongestReadAhead = 64 * 1024;
constexpr size_t kLongestPendingWrite = 64 * 1024;

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
  length_ = file->Size();
  file_ = std::move(file);
  path_ = path;
  mode_ = mode;
  position_ = 0;
  last_append_start_ = -1;
  window_.clear();
  window_start_ = 0;
  read_ahead_ = kFirstReadAhead;
  pending_.clear();
}

void BinaryFile::Close() {
  RequireOpen();
  const auto file = std::move(file_);
  std::string().swap(window_);
  std::string pending;
  pending.swap(pending_);
  if (pending.empty()) {
    // Nothing is left to write, so nothing can be lost by a failing close.
    try {
      file->Close();
    } catch (const Error&) {
    }
    return;
  }
  try {
    file->WriteAt(pending_start_, pending.data(), pending.size());
  } catch (...) {
    try {
      file->Close();
    } catch (const Error&) {
    }
    throw;
  }
  file->Close();
}

void BinaryFile::Sync() {
  RequireOpen();
  Flush();
  file_->Sync();
}

void BinaryFile::RequireOpen() const {
  if (file_ == nullptr) throw Error(kBadFileNameOrNumber);
}

int64_t BinaryFile::Length() const {
  RequireOpen();
  return length_;
}

int64_t BinaryFile::Position() const {
  RequireOpen();
  return position_;
}

void BinaryFile::Seek(int64_t position) {
  RequireOpen();
  if (position < 0) throw Error(kBadFileNameOrNumber);
  position_ = position;
}

void BinaryFile::Flush() {
  if (pending_.empty()) return;
  std::string pending;
  pending.swap(pending_);  // a write that failed is not tried again
  file_->WriteAt(pending_start_, pending.data(), pending.size());
  pending.clear();
  pending_.swap(pending);  // keeps the buffer for the next writes
}

void BinaryFile::Put(const char* data, size_t size) {
  RequireOpen();
  if (mode_ == Mode::kRead || mode_ == Mode::kAppend) throw Error(kBadFileMode);
  if (pending_.empty()) {
    pending_start_ = position_;
    window_.clear();  // what was read there is no longer what the file holds
  } else if (position_ != pending_start_ + static_cast<int64_t>(pending_.size())) {
    Flush();
    pending_start_ = position_;
  }
  pending_.append(data, size);
  position_ += static_cast<int64_t>(size);
  if (position_ > length_) length_ = position_;
  if (pending_.size() >= kLongestPendingWrite) Flush();
}

void BinaryFile::Get(char* data, size_t size) {
  // Most reads lie inside the window (a record's fields one after another).
  const int64_t offset = position_ - window_start_;
  if (file_ != nullptr && pending_.empty() && offset >= 0 && static_cast<size_t>(offset) + size <= window_.size()) {
    std::memcpy(data, window_.data() + offset, size);
    position_ += static_cast<int64_t>(size);
    return;
  }
  RequireOpen();
  Flush();  // a read sees what was written before it
  const int64_t window_end = window_start_ + static_cast<int64_t>(window_.size());
  if (size >= kFirstReadAhead) {
    // As long as the read-ahead or longer: straight to the caller.
    if (file_->ReadAt(position_, data, size) < size) throw Error(kInputPastEndOfFile);
    position_ += static_cast<int64_t>(size);
    return;
  }
  const bool in_order = !window_.empty() && position_ >= window_start_ && position_ <= window_end;
  read_ahead_ = in_order ? std::min(read_ahead_ * 2, kLongestReadAhead) : kFirstReadAhead;
  window_.resize(read_ahead_);
  window_.resize(file_->ReadAt(position_, window_.data(), window_.size()));
  window_start_ = position_;
  if (window_.size() < size) throw Error(kInputPastEndOfFile);
  std::memcpy(data, window_.data(), size);
  position_ += static_cast<int64_t>(size);
}

void BinaryFile::WriteInt16(int16_t value) { Put(reinterpret_cast<const char*>(&value), sizeof value); }
void BinaryFile::WriteInt32(int32_t value) { Put(reinterpret_cast<const char*>(&value), sizeof value); }
void BinaryFile::WriteDouble(double value) { Put(reinterpret_cast<const char*>(&value), sizeof value); }

void BinaryFile::WriteText(std::string_view utf8) {
  RequireOpen();
  const std::string bytes = TextToBytes(utf8);
  if (bytes.size() > 0xFFFF) throw Error(kOverflow);
  const auto length = static_cast<uint16_t>(bytes.size());
  std::string field(reinterpret_cast<const char*>(&length), sizeof length);
  Put((field + bytes).data(), sizeof length + bytes.size());
}

void BinaryFile::WriteBytes(std::string_view bytes) { Put(bytes.data(), bytes.size()); }

void BinaryFile::WriteZeros(size_t count) { Put(std::string(count, '\0').data(), count); }

int16_t BinaryFile::ReadInt16() {
  int16_t value;
  Get(reinterpret_cast<char*>(&value), sizeof value);
  return value;
}

int32_t BinaryFile::ReadInt32() {
  int32_t value;
  Get(reinterpret_cast<char*>(&value), sizeof value);
  return value;
}

double BinaryFile::ReadDouble() {
  double value;
  Get(reinterpret_cast<char*>(&value), sizeof value);
  return value;
}

std::string BinaryFile::ReadText() {
  uint16_t length;
  Get(reinterpret_cast<char*>(&length), sizeof length);
  return BytesToText(ReadBytes(length));
}

std::string BinaryFile::ReadBytes(size_t count) {
  std::string bytes(count, '\0');
  Get(bytes.data(), count);
  return bytes;
}

int64_t BinaryFile::Append(std::string_view bytes) {
  RequireOpen();
  if (mode_ != Mode::kAppend) throw Error(kBadFileMode);
  const int64_t start = AppendAtEnd(*file_, bytes);
  last_append_start_ = start;
  position_ = start + static_cast<int64_t>(bytes.size());
  length_ = std::max(length_, position_);
  window_.clear();
  return start;
}

int64_t BinaryFile::SettledLength() {
  RequireOpen();
  Flush();
  file_->Lock(LockKind::kShared);
  int64_t length = 0;
  try {
    length = file_->Size();
  } catch (...) {
    file_->Unlock();
    throw;
  }
  file_->Unlock();
  length_ = length;
  return length;
}

}  // namespace quindo
