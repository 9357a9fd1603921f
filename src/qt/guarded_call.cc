#include "qt/guarded_call.h"

#include <exception>
#include <string>

#include "common/error.h"
#include "common/language.h"

namespace quindo {

namespace {

void Report(const char* event_name, const std::string& what) noexcept {
  try {
    std::string message = std::string(event_name) + ": " + what;
    ReportError(message);
  } catch (...) {
    // A failing error destination must not take the event loop down either.
  }
}

}  // namespace

void CallGuarded(const char* event_name, const std::function<void()>& handler) noexcept {
  try {
    if (handler) handler();
  } catch (const Error& e) {
    Report(event_name, "Err:" + std::to_string(e.Number()) + " " + e.Description());
  } catch (const std::exception& e) {
    Report(event_name, e.what());
  } catch (...) {
    Report(event_name, "unknown error");
  }
}

}  // namespace quindo
