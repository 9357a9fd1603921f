// What the commands' tests cannot see: flags stored as any non-zero value
// are written as -1, and a document read, written and read again is the
// same record; the refusals name the field by its path.
#include <gtest/gtest.h>

#include "json/calendar_json.h"
#include "json/profile_json.h"
#include "json/receiver_json.h"

namespace quindo {
namespace {

using nlohmann::json;

TEST(RecordJsonTest, FlagsStoredAsAnyNonZeroValueAreWrittenAsMinusOne) {
  cProfile profile;
  profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  profile.m_Enabled = 1;
  profile.m_ScanSpecificSystems = 7;
  profile.m_TimeSchedule->SetActive(3, 1);
  const auto written = ProfileToJson(profile);
  EXPECT_EQ(written["Enabled"], -1);
  EXPECT_EQ(written["ScanSpecificSystems"], -1);
  EXPECT_EQ(written["TimeSchedule"]["DayTypes"][3]["Active"], -1);
  EXPECT_EQ(written["UseExternalTag"], 0);

  cReceiver receiver;
  receiver.SaveSetting(2, TypedValue::Flag(true));
  receiver.m_Enabled = 1;
  const auto receiver_json = ReceiverToJson(receiver);
  EXPECT_EQ(receiver_json["Enabled"], -1);
  EXPECT_EQ(receiver_json["Settings"][2]["Value"], -1);
}

TEST(RecordJsonTest, ReadWrittenAndReadAgainGivesTheSameRecord) {
  const json document = json::parse(R"({"DiskIdentity": 42, "Name": "Night", "Enabled": false,
      "UseTimeSchedule": true, "States": [1, -2, 32767],
      "TimeSchedule": {"UseCalendar": -1, "DayTypes": [{"Periods": [[1320, 1440], [-5, 30]], "Grouped": true},
        {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {"Axis": 5}]}})");
  cProfile first;
  ProfileFromJson(document, first);
  cProfile second;
  ProfileFromJson(json(ProfileToJson(first)), second);
  EXPECT_EQ(ProfileToJson(second), ProfileToJson(first));
  EXPECT_EQ(second.m_Enabled, 0);
  EXPECT_EQ(second.m_UseTimeSchedule, -1);
  EXPECT_EQ(second.m_TimeSchedule->ComposePeriodArray(), first.m_TimeSchedule->ComposePeriodArray());
}

TEST(RecordJsonTest, RefusalsNameTheFieldByItsPath) {
  const auto refusal = [](const std::string& text, auto read) {
    try {
      read(ParseJsonDocument(text));
    } catch (const JsonInputError& e) {
      return std::string(e.what());
    }
    return std::string("taken");
  };
  const auto profile = [](const json& j) {
    cProfile p;
    ProfileFromJson(j, p, "[3]");
  };
  const auto receiver = [](const json& j) {
    cReceiver r;
    ReceiverFromJson(j, r);
  };
  const auto days = [](const json& j) { CalendarDaysFromJson(j); };
  EXPECT_EQ(refusal(R"({"Enabled": "yes"})", profile), "[3].Enabled: expected a flag (true, false, -1 or 0)");
  EXPECT_EQ(refusal(R"({"DiskIdentity": 10000})", profile), "[3].DiskIdentity: 10000 is outside -1..9999");
  EXPECT_EQ(refusal(R"({"Systems": [1]})", profile), "[3].Systems: expected an array of 64 elements");
  EXPECT_EQ(refusal(R"({"Nmae": "x"})", profile), "unknown field \"[3].Nmae\"");
  EXPECT_EQ(refusal(R"({"Settings": [{"Kind": 11, "Value": true}, {"Kind": 0}, {"Kind": 9}, {"Kind": 0}]})", receiver),
            "Settings[2].Kind: 9 is not one of 0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 17");
  EXPECT_EQ(refusal(R"([{"Date": "2024-02-30", "DayType": 8}])", days), "[0].Date 2024-02-30 is not a real date");
  EXPECT_EQ(refusal(R"([{"Date": "2024-02-03"}])", days), "[0]: expected {\"Date\": \"YYYY-MM-DD\", \"DayType\": t}");
}

}  // namespace
}  // namespace quindo
