#pragma once
// The profile record carried by messages 202 and 210.
//
// Body layout, fields in this order (integer = 2 bytes, text = 2-byte length
// + code-page bytes, see field_codec.h):
//    1 integer  m_DiskIdentity           18 integer  m_TimeSchedule_ViewDayType
//    2 integer  m_Enabled                19 integer  m_Calendar_ViewTimeAxis
//    3 text     name (SetName)           20 integer  m_UseExternalTag
//  4-6 integer  states 0..2 (SetState)   21 text     m_ExternalTagName
//    7 integer  m_UseTimeSchedule        22 integer  m_IgnoreExternalTagInOtherProfiles
//  8-9 integer  unused, read and dropped 23 integer  m_UseExternalFile
//   10 text     m_ParallellReceivers     24 text     m_ExternalFileName
//   11 text     m_SequentialReceivers    25 text     m_ExternalFileText
//12-17 text     conditions 0..5          26 integer  m_ScanSpecificSystems
//                                    27-90 integer  systems 0..63 (SetSystem)
//                                       91 integer  m_OffDutyAlarmBehaviour
//                                       92 text     period array of m_TimeSchedule
// Bytes after field 92 are ignored.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/export.h"

namespace quindo {

class cProfile;

// 79 integers and 13 text lengths: the size of a body whose texts are empty.
constexpr int32_t kProfileRecordFixedSize = 79 * 2 + 13 * 2;

// Fills the profile from the body, field by field from cursor + 1 on, and
// leaves the cursor after field 92. Each field is stored as soon as it is
// read, so a failure part-way leaves the earlier members set. Creates the
// schedule when the profile has none. Texts are converted from the code page
// to UTF-8, except the period array, which the schedule reads as bytes.
// Raises the codec's errors (a body cut short, a negative text length) and
// those of the profile's and the schedule's setters.
QUINDO_EXPORT void ExtractProfile(cProfile& profile, std::string_view body, int32_t& cursor);

// The inverse, for servers, simulators and tests: the body of fields 1 to 92
// (fields 8 and 9 as 0). A profile without a schedule raises 424; a text
// longer than 32767 bytes raises 6.
QUINDO_EXPORT std::string ComposeProfileMessage(const cProfile& profile);

}  // namespace quindo
