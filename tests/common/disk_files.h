#pragma once
// What the tests of files on the real file system share: whole files as
// bytes, little-endian bytes built by hand, and a data directory of a
// test's own.

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/language.h"
#include "common/settings.h"

namespace quindo {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Little-endian builder for hand-made files.
struct Bytes {
  std::string s;
  Bytes& I16(int16_t v) { s.append(reinterpret_cast<const char*>(&v), 2); return *this; }
  Bytes& F64(double v) { s.append(reinterpret_cast<const char*>(&v), 8); return *this; }
  Bytes& Text(const std::string& t) { I16(static_cast<int16_t>(t.size())); s += t; return *this; }
  Bytes& Zeros(size_t n) { s.append(n, '\0'); return *this; }
  Bytes& Raw(const std::string& bytes) { s += bytes; return *this; }
};

// What `save` returns while files may grow to `limit` bytes at most: root
// ignores permissions, so a size limit is how a test makes a write fail.
template <typename Save>
bool UnderFileSizeLimit(rlim_t limit, Save&& save) {
  struct rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  const struct rlimit small{limit, old_limit.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool saved = save();
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  return saved;
}

// A data directory of the test's own under /tmp, holding the empty folder
// `folder` ("Profiles"), set as DataDirectory; the language table is empty
// (texts read "*** Invalid Text (n)") and ReportError's messages are kept in
// messages_. Removed, and the settings and record collections reset, after
// the test.
class DataDirectoryTest : public ::testing::Test {
 protected:
  explicit DataDirectoryTest(std::string folder) : folder_(std::move(folder)) {}

  void SetUp() override {
    char pattern[] = "/tmp/data_directory_test.XXXXXX";
    dir_ = ::mkdtemp(pattern);
    std::filesystem::create_directory(dir_ + "/" + folder_);
    DataDirectory() = dir_ + "/";
    ClearLanguageTable();
    SetReportErrorHandler([this](const std::string& m) { messages_.push_back(m); });
  }
  void TearDown() override {
    SetReportErrorHandler({});
    DataDirectory().clear();
    RedundancyRole() = 0;
    NestedProfileNames() = 0;
    NumberOfReceiverTypes() = 0;
    ReceiverTypes() = {};
    ProfileCollection().Clear();
    ReceiverCollection().Clear();
    std::filesystem::remove_all(dir_);
  }
  // A file of the folder, by its literal name.
  std::string Path(const std::string& name) const { return dir_ + "/" + folder_ + "/" + name; }

  std::string folder_;
  std::string dir_;
  std::vector<std::string> messages_;
};

}  // namespace quindo
