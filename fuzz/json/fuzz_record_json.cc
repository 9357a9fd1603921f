// Feeds arbitrary bytes to the records' JSON readers: the first byte picks
// the reader (profile, receiver, alarm, calendar days, receiver types), the
// rest is the document. A document a reader refuses raises JsonInputError
// only, never another exception; one it takes is written and read back
// unchanged: JSON -> record -> JSON -> record -> JSON gives the same JSON
// both times.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/settings.h"
#include "json/alarm_json.h"
#include "json/calendar_json.h"
#include "json/profile_json.h"
#include "json/receiver_json.h"

namespace {

using namespace quindo;
using nlohmann::json;
using nlohmann::ordered_json;

void Require(bool condition) {
  if (!condition) std::abort();
}

// A record kind's reader and writer, and the check that a written record
// reads back as itself.
template <typename Record, typename ToJson, typename FromJson>
void RoundTrip(const json& document, ToJson to_json, FromJson from_json) {
  Record first;
  from_json(document, first);
  const ordered_json written = to_json(first);
  Record second;
  from_json(json(written), second);
  Require(to_json(second) == written);
}

// Currency amounts beyond 2^53 ten-thousandths have no exact JSON number,
// so their receivers may not read back to the digit.
bool HoldsInexactCurrency(const json& document) {
  if (!document.is_object() || !document.contains("Settings") || !document["Settings"].is_array()) return false;
  for (const json& setting : document["Settings"]) {
    if (setting.is_object() && setting.value("Kind", json()) == 6 && setting.contains("Value") &&
        setting["Value"].is_number() && std::fabs(setting["Value"].get<double>()) > 9.0e11) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    const json document = ParseJsonDocument(text);
    switch (data[0] % 5) {
      case 0:
        RoundTrip<cProfile>(document, ProfileToJson, [](const json& j, cProfile& p) { ProfileFromJson(j, p); });
        break;
      case 1:
        if (HoldsInexactCurrency(document)) {
          cReceiver receiver;
          ReceiverFromJson(document, receiver);
        } else {
          RoundTrip<cReceiver>(document, ReceiverToJson,
                               [](const json& j, cReceiver& r) { ReceiverFromJson(j, r); });
        }
        break;
      case 2:
        RoundTrip<cAlarm>(document, AlarmToJson, [](const json& j, cAlarm& a) { AlarmFromJson(j, a); });
        break;
      case 3:
        RoundTrip<cCalendar>(document, CalendarDaysToJson, [](const json& j, cCalendar& calendar) {
          for (const CalendarDay& day : CalendarDaysFromJson(j)) calendar.SetDayType(day.day_number, day.day_type);
        });
        break;
      case 4:
        LoadReceiverTypesFromJson(document);
        Require(NumberOfReceiverTypes() == static_cast<int16_t>(document.size()));
        // Receivers read later must not look for their types' template
        // files, which would be read from the disk.
        NumberOfReceiverTypes() = 0;
        ReceiverTypes() = {};
        break;
    }
  } catch (const JsonInputError&) {
  }
  return 0;
}
