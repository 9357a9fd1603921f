#pragma once
// Exit statuses and the usage error shared by the commands of quindo-records.

#include <stdexcept>

namespace quindo::records {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitBadUsage = 2;

// Arguments or input that the command cannot take (exit status 2); nothing
// has been written when it is raised.
class CommandLineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quindo::records
