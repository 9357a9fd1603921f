#pragma once
// The profile record: the stored fields of a profile as they sit in a profile
// file between the version number and the schedule block. Little-endian, no
// padding; a text is a 16-bit length followed by that many code-page bytes.
//
//   field                                   size   version 5 (written)
//    1  version                               2    5 (written by the caller)
//    2  reserved                              2    0, ignored on reading
//    3  enabled                               2
//    4  name                               text
//    5  states 0..2                         3x2
//    6  use time schedule                     2
//    7  reserved                              2    0, ignored on reading
//    8  reserved                              2    0, ignored on reading;
//                                                  version 4: off-duty behaviour
//    9  parallel receivers                 text
//   10  sequential receivers               text
//   11  conditions 0..5                  6xtext
//   12  schedule view day type                2
//   13  calendar view time axis               2
//   14  use external tag                      2
//   15  external tag name                  text
//   16  ignore external tag in others         2
//   17  use external file                     2
//   18  external file name                 text
//   19  external file text                 text
//   20  scan specific systems                 2
//   21  systems 0..63                      64x2
//   22  off-duty alarm behaviour              2    version 5 only
//   23  file time stamp (date)                8    version 5 only
//   24  reserved block                     2048    zeros, version 5 only
//   25  schedule block                            written by the schedule
//
// Fields 1 to 4 start at offsets 0, 2, 4 and 6; with every text empty the
// version 5 record (fields 2 to 24) takes 2238 bytes. These layouts are
// stored on disk and must not change.

#include <array>
#include <cstdint>
#include <string>

#include "model/record_file.h"

namespace quindo {

class BinaryFile;
class cProfile;

// Version numbers found in field 1.
constexpr int16_t kProfileFileVersion = 5;     // written and read
constexpr int16_t kOldProfileFileVersion = 4;  // read, then rewritten as 5

// The language texts of the profile file's messages.
constexpr RecordFileTexts kProfileFileTexts{
    .save_failed = 980, .load_failed = 982, .converted = 930, .unknown_version = 805};

constexpr size_t kProfileReservedBlockSize = 2048;
constexpr size_t kEmptyProfileRecordSize =
    2 + 2 + 2 + 3 * 2 + 2 + 2 + 2 + 2 + 2 + 6 * 2 + 2 + 2 + 2 + 2 + 2 + 2 + 2 + 2 + 2 + 64 * 2 +
    2 + 8 + kProfileReservedBlockSize;
static_assert(kEmptyProfileRecordSize == 2238);

struct ProfileRecord {
  int16_t enabled = 0;
  std::string name;
  std::array<int16_t, 3> states{};
  int16_t use_time_schedule = 0;
  std::string parallel_receivers;
  std::string sequential_receivers;
  std::array<std::string, 6> conditions;
  int16_t schedule_view_day_type = 0;
  int16_t calendar_view_time_axis = 0;
  int16_t use_external_tag = 0;
  std::string external_tag_name;
  int16_t ignore_external_tag_in_other_profiles = 0;
  int16_t use_external_file = 0;
  std::string external_file_name;
  std::string external_file_text;
  int16_t scan_specific_systems = 0;
  std::array<int16_t, 64> systems{};
  int16_t off_duty_alarm_behaviour = 0;  // field 22, or field 8 of version 4
  double file_time_stamp = 0;            // version 5 only

  bool operator==(const ProfileRecord&) const = default;
};

// The record of a profile's stored fields, stamped with `time_stamp`.
ProfileRecord RecordOfProfile(const cProfile& profile, double time_stamp);
// Stores a record into the profile's fields; the name goes through SetName so
// that the parent name and nesting level are derived again. A version 4
// record carries no time stamp and leaves m_FileDateTimeStamp as it was.
void ApplyRecordToProfile(const ProfileRecord& record, int16_t version, cProfile& profile);

// Writes fields 2 to 24 of version 5 at the file's position. A text longer
// than 65535 code-page bytes raises error 6.
void WriteProfileRecord(BinaryFile& file, const ProfileRecord& record);
// Reads fields 2 to 21 (version 4) or 2 to 24 (version 5) from the file's
// position. A file that ends inside the record raises 62.
ProfileRecord ReadProfileRecord(BinaryFile& file, int16_t version);

}  // namespace quindo
