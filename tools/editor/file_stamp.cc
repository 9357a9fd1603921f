#include "tools/editor/file_stamp.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quindo {

namespace {

// FNV-1a: enough to tell two versions of one small file apart.
uint64_t Hash(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

FileStamp FileStamp::SizeAndTimeOf(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  FileStamp stamp;
  if (!fs::is_regular_file(path, error)) return stamp;
  const auto size = fs::file_size(path, error);
  if (error) return stamp;
  const auto time = fs::last_write_time(path, error);
  if (error) return stamp;
  stamp.exists = true;
  stamp.size = static_cast<int64_t>(size);
  stamp.modified_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
  return stamp;
}

FileStamp FileStamp::Of(const std::string& path) {
  FileStamp stamp = SizeAndTimeOf(path);
  if (!stamp.exists) return stamp;
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileStamp{};
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  stamp.content_hash = Hash(bytes);
  return stamp;
}

bool FileStamp::DiffersInSizeOrTime(const FileStamp& other) const {
  return exists != other.exists || size != other.size || modified_ns != other.modified_ns;
}

bool FileStamp::Differs(const FileStamp& other) const {
  return DiffersInSizeOrTime(other) || content_hash != other.content_hash;
}

}  // namespace quindo
