// Any bytes as a profile message body: decoding either raises quindo::Error
// or yields a profile whose message decodes to the same message again.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/error.h"
#include "model/profile/profile.h"
#include "protocol/profile_message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quindo;
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  cProfile profile;
  int32_t cursor = 0;
  try {
    ExtractProfile(profile, body, cursor);
  } catch (const Error&) {
    return 0;
  }
  if (cursor < 0) std::abort();
  const std::string message = ComposeProfileMessage(profile);
  cProfile again;
  int32_t again_cursor = 0;
  ExtractProfile(again, message, again_cursor);
  if (again_cursor != static_cast<int32_t>(message.size()) || ComposeProfileMessage(again) != message) {
    std::abort();
  }
  return 0;
}
