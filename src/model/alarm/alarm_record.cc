// The alarm record inside a file that the caller opened. Little-endian, no
// padding, no version and no length of its own; a text is a 16-bit length
// and that many code-page bytes.
//
//   #   field                        bytes
//   1   m_TimeStampFromSCADA         8 (date)
//   2   m_TimeStampFromPC            8 (date)
//   3   m_EventId                    4
//   4   m_Status                     2
//   5   m_Conditions(0..5)           6 texts
//   6   m_SequenceReceivers          text
//   7   m_SequenceReceiverConfirm    text
//   8   m_SequenceNumbers            2
//   9   m_ParallellReceivers         text
//   10  m_ParallellNumbers           2
//   11  reserved                     10 texts, written empty, skipped on reading
//   12  reserved                     40 bytes, written zero, skipped on reading
//
// With every text empty a record is 8 + 8 + 4 + 2 + 6 x 2 + 2 + 2 + 2 + 2 +
// 2 + 10 x 2 + 40 = 104 bytes.

#include <array>
#include <cstring>

#include "common/binary_file.h"
#include "common/code_page.h"
#include "common/error.h"
#include "model/alarm/alarm.h"

namespace quindo {
namespace {

// These sizes are part of the record and must not change.
constexpr int kReservedTexts = 10;
constexpr size_t kReservedBlock = 40;

template <typename T>
void Append(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void AppendText(std::string& out, std::string_view utf8) {
  const std::string bytes = TextToBytes(utf8);
  if (bytes.size() > cAlarm::kLongestText) throw Error(kOverflow);
  Append(out, static_cast<int16_t>(bytes.size()));
  out += bytes;
}

// Moves past `count` bytes, raising 62 when the file ends sooner.
void Skip(BinaryFile& file, int64_t count) {
  const int64_t position = file.Position();
  if (file.Length() - position < count) throw Error(kInputPastEndOfFile);
  file.Seek(position + count);
}

// Fields 1 to 10 as they travel in the record.
struct AlarmFields {
  double time_stamp_from_scada = 0;
  double time_stamp_from_pc = 0;
  int32_t event_id = 0;
  int16_t status = 0;
  std::array<std::string, cAlarm::kConditions> conditions;
  std::string sequence_receivers;
  std::string sequence_receiver_confirm;
  int16_t sequence_numbers = 0;
  std::string parallell_receivers;
  int16_t parallell_numbers = 0;
};

AlarmFields ReadFields(BinaryFile& file) {
  AlarmFields f;
  f.time_stamp_from_scada = file.ReadDouble();
  f.time_stamp_from_pc = file.ReadDouble();
  f.event_id = file.ReadInt32();
  f.status = file.ReadInt16();
  for (std::string& condition : f.conditions) condition = file.ReadText();
  f.sequence_receivers = file.ReadText();
  f.sequence_receiver_confirm = file.ReadText();
  f.sequence_numbers = file.ReadInt16();
  f.parallell_receivers = file.ReadText();
  f.parallell_numbers = file.ReadInt16();
  for (int i = 0; i < kReservedTexts; ++i) {
    Skip(file, static_cast<uint16_t>(file.ReadInt16()));
  }
  Skip(file, kReservedBlock);
  return f;
}

}  // namespace

void cAlarm::WriteToDisk(BinaryFile& file, int32_t location) const {
  std::string record;
  Append(record, m_TimeStampFromSCADA);
  Append(record, m_TimeStampFromPC);
  Append(record, m_EventId);
  Append(record, m_Status);
  for (const std::string& condition : m_Conditions) AppendText(record, condition);
  AppendText(record, m_SequenceReceivers);
  AppendText(record, m_SequenceReceiverConfirm);
  Append(record, m_SequenceNumbers);
  AppendText(record, m_ParallellReceivers);
  Append(record, m_ParallellNumbers);
  record.append(kReservedTexts * sizeof(int16_t) + kReservedBlock, '\0');

  // A log opened for appending takes whole records at its end only: in one
  // write under its lock, so that concurrent appenders never mix and a
  // failed write leaves no part of a record behind. Nothing in it is
  // written over (54 for a location).
  if (file.IsAppendOnly()) {
    if (location > 0) throw Error(kBadFileMode);
    file.Append(record);
    return;
  }
  if (location > 0) file.Seek(int64_t{location} - 1);
  file.WriteBytes(record);
}

void cAlarm::ReadFromDisk(BinaryFile& file, int32_t location) {
  if (location > 0) file.Seek(int64_t{location} - 1);
  const int64_t start = file.Position();
  AlarmFields f;
  try {
    f = ReadFields(file);
  } catch (const Error&) {
    file.Seek(start);
    throw;
  }
  m_TimeStampFromSCADA = f.time_stamp_from_scada;
  m_TimeStampFromPC = f.time_stamp_from_pc;
  m_EventId = f.event_id;
  m_Status = f.status;
  m_Conditions = std::move(f.conditions);
  m_SequenceReceivers = std::move(f.sequence_receivers);
  m_SequenceReceiverConfirm = std::move(f.sequence_receiver_confirm);
  m_SequenceNumbers = f.sequence_numbers;
  m_ParallellReceivers = std::move(f.parallell_receivers);
  m_ParallellNumbers = f.parallell_numbers;
}

}  // namespace quindo
