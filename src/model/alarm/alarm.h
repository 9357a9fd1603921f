#pragma once
// One alarm in forwarding: its event identity and time stamps, status, six
// condition texts, the receivers to notify in parallel and in sequence, and
// the delivery state. Fields 1 to 10 of the alarm record (layout in
// alarm_record.cc) go to and from a file that the caller opened.

#include <array>
#include <cstdint>
#include <string>

#include "common/typed_value.h"
#include "common/export.h"

namespace quindo {

class BinaryFile;

class QUINDO_EXPORT cAlarm {
 public:
  static constexpr int16_t kConditions = 6;
  // The longest text a record can hold: its length is a signed 16-bit number.
  static constexpr size_t kLongestText = 32767;

  // Every field zero or empty, except m_TimeStampFromPC: now (local time).
  cAlarm();

  // Public fields, in declaration order. Dates are days since 1899-12-30;
  // flags are -1 (true) and 0 (false).
  int32_t m_EventId = 0;
  double m_TimeStampFromSCADA = 0;
  double m_TimeStampFromPC = 0;
  int16_t m_Status = 0;
  std::string m_ParallellReceivers;
  int16_t m_ParallellNumbers = 0;
  int32_t m_System = 0;
  std::string m_SequenceReceivers;
  std::string m_SequenceReceiverConfirm;
  int16_t m_SequenceNumbers = 0;
  int16_t m_WaitingForConfirmation = 0;
  double m_TimeToContinue = 0;
  double m_TimeToSend = 0;
  int16_t m_NextSequenceReceiver = 0;
  std::string m_ExpectConfirmationFrom;
  int32_t m_RepeatCount = 0;
  int16_t m_TriedToSendAtLeastOnce = 0;
  int16_t m_ShouldNotBeRepeatedAnyMore = 0;
  int16_t m_SimulationBehaviour = 0;

  // Copies the alarm and its forwarding state; the sending state of this
  // alarm (m_TimeToSend, m_ExpectConfirmationFrom, m_RepeatCount,
  // m_TriedToSendAtLeastOnce, m_ShouldNotBeRepeatedAnyMore) is kept.
  void CopyFromOtherObject(const cAlarm& copy_object);

  // The last four upper-case hexadecimal digits of m_EventId (a negative
  // identity as its 32-bit two's complement): 255 -> "00FF", -1 -> "FFFF".
  std::string ViewEventIdAsHex() const;

  // Condition number outside 0..5 raises 9; a null value raises 94. Nothing
  // changes on failure.
  void SetCondition(int16_t condition_number, const TypedValue& new_condition);
  const std::string& GetCondition(int16_t condition_number) const;

  // Writes the alarm record at the 1-based byte position `location`, or at
  // the file's current position when location <= 0; the position ends after
  // the record. A text longer than 32,767 code-page bytes raises 6 before
  // anything is written. In a log opened with OpenMode::kAppend the current
  // position is the log's end as other appenders left it: the record goes
  // there whole, in one write under the log's lock, forced to disk, or not
  // at all (file.LastAppendStart() tells where); a location raises 54.
  void WriteToDisk(BinaryFile& file, int32_t location) const;
  // Reads an alarm record from the same places into fields 1 to 10, reading
  // the record's bytes and no more than a page beyond them. A record that
  // the file cuts short raises 62 and changes nothing; the position is then
  // back where the record starts.
  void ReadFromDisk(BinaryFile& file, int32_t location);

 private:
  std::array<std::string, kConditions> m_Conditions;
};

}  // namespace quindo
