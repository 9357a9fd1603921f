// Reads arbitrary bytes as alarm records, back to back from the start. A
// record must be read whole or raise 62 without changing the alarm, and
// every record read must write and read back with the same fields.

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/binary_file.h"
#include "common/code_page.h"
#include "common/error.h"
#include "memory_files.h"
#include "model/alarm/alarm.h"

namespace {

using namespace quindo;

void Require(bool condition) {
  if (!condition) std::abort();
}

// In memory: no input touches the disk.
constexpr const char* kInput = "/fuzz/input.dat";
constexpr const char* kOutput = "/fuzz/output.dat";

bool SameFields(const cAlarm& a, const cAlarm& b) {
  for (int16_t i = 0; i < cAlarm::kConditions; ++i) {
    if (a.GetCondition(i) != b.GetCondition(i)) return false;
  }
  // Dates are compared by their bits: a NaN read from the file is kept.
  const auto bits = [](double d) { return std::bit_cast<uint64_t>(d); };
  return bits(a.m_TimeStampFromSCADA) == bits(b.m_TimeStampFromSCADA) &&
         bits(a.m_TimeStampFromPC) == bits(b.m_TimeStampFromPC) && a.m_EventId == b.m_EventId &&
         a.m_Status == b.m_Status && a.m_SequenceReceivers == b.m_SequenceReceivers &&
         a.m_SequenceReceiverConfirm == b.m_SequenceReceiverConfirm &&
         a.m_SequenceNumbers == b.m_SequenceNumbers && a.m_ParallellReceivers == b.m_ParallellReceivers &&
         a.m_ParallellNumbers == b.m_ParallellNumbers;
}

bool FitsTheRecord(const cAlarm& a) {
  for (int16_t i = 0; i < cAlarm::kConditions; ++i) {
    if (TextToBytes(a.GetCondition(i)).size() > cAlarm::kLongestText) return false;
  }
  for (const std::string* text : {&a.m_SequenceReceivers, &a.m_SequenceReceiverConfirm, &a.m_ParallellReceivers}) {
    if (TextToBytes(*text).size() > cAlarm::kLongestText) return false;
  }
  return true;
}

void RoundTrip(const cAlarm& read) {
  BinaryFile out;
  out.Open(kOutput, BinaryFile::Mode::kCreate);
  if (!FitsTheRecord(read)) {
    bool overflowed = false;
    try {
      read.WriteToDisk(out, 1);
    } catch (const Error& e) {
      overflowed = e.Number() == kOverflow;
    }
    Require(overflowed && out.Length() == 0);
    out.Close();
    return;
  }
  read.WriteToDisk(out, 1);
  cAlarm again;
  again.ReadFromDisk(out, 1);
  Require(SameFields(again, read));
  Require(out.Position() == out.Length());
  out.Close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FreshMemoryFiles("/fuzz").SetFileContent(kInput, std::string(reinterpret_cast<const char*>(data), size));

  BinaryFile file;
  file.Open(kInput, BinaryFile::Mode::kRead);
  for (int records = 0; file.Position() < file.Length() && records < 16; ++records) {
    const int64_t start = file.Position();
    cAlarm alarm;
    alarm.m_EventId = 0x5EED;
    const cAlarm before = alarm;
    try {
      alarm.ReadFromDisk(file, 0);
    } catch (const Error& e) {
      Require(e.Number() == kInputPastEndOfFile);
      Require(SameFields(alarm, before) && file.Position() == start);
      break;
    }
    Require(file.Position() - start >= 104);
    RoundTrip(alarm);
  }
  file.Close();
  return 0;
}
