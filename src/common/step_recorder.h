#pragma once
// Runs the steps of an operation one after the other, keeping on past a step
// that fails and remembering the last failure. The record classes' file
// operations, the control's layout and its tree updates work this way: every
// step is tried, and the caller decides from the last recorded failure.

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "common/error.h"

namespace quindo {

class StepRecorder {
 public:
  // Runs one step. A quindo::Error or std::exception it throws is recorded
  // (replacing any earlier failure) and swallowed. Returns true when the step
  // completed without failure.
  template <typename Step>
  bool Try(Step&& step) {
    try {
      std::forward<Step>(step)();
      return true;
    } catch (const Error& e) {
      Record(e.Number(), e.Description());
    } catch (const std::bad_alloc&) {
      Record(kOutOfMemory, DescriptionOf(kOutOfMemory));
    } catch (const std::exception& e) {
      Record(kPathFileAccessError, e.what());
    }
    return false;
  }

  void Record(int32_t number, std::string description) {
    failed_ = true;
    number_ = number;
    description_ = std::move(description);
  }
  void Clear() {
    failed_ = false;
    number_ = 0;
    description_.clear();
  }

  bool Failed() const { return failed_; }
  int32_t LastNumber() const { return number_; }
  const std::string& LastDescription() const { return description_; }

 private:
  bool failed_ = false;
  int32_t number_ = 0;
  std::string description_;
};

}  // namespace quindo
