// The alarm record: the conditions, copying, and the record in a caller's
// file (golden bytes, locations, back-to-back records, truncation, texts too
// long for the record, concurrent appenders).
#include <sys/wait.h>
#include <unistd.h>
#include <tuple>

#include <gtest/gtest.h>

#include "common/binary_file.h"
#include "common/dates.h"
#include "disk_files.h"
#include "error_number.h"
#include "model/alarm/alarm.h"

namespace quindo {
namespace {

// A filled alarm with a distinct value in every record field.
cAlarm FilledAlarm() {
  cAlarm a;
  a.m_TimeStampFromSCADA = 45000.25;
  a.m_TimeStampFromPC = 45000.5;
  a.m_EventId = 0x01020304;
  a.m_Status = -2;
  for (int16_t i = 0; i < cAlarm::kConditions; ++i) {
    a.SetCondition(i, TypedValue::Text("c" + std::to_string(i)));
  }
  a.m_SequenceReceivers = "seq";
  a.m_SequenceReceiverConfirm = "conf\xC3\xA9";  // é is one code-page byte
  a.m_SequenceNumbers = 7;
  a.m_ParallellReceivers = "par";
  a.m_ParallellNumbers = 9;
  return a;
}

// The record's fields (those the file holds), to compare in one go.
auto RecordFields(const cAlarm& a) {
  std::vector<std::string> conditions;
  for (int16_t i = 0; i < cAlarm::kConditions; ++i) conditions.push_back(a.GetCondition(i));
  return std::make_tuple(a.m_TimeStampFromSCADA, a.m_TimeStampFromPC, a.m_EventId, a.m_Status, conditions,
                         a.m_SequenceReceivers, a.m_SequenceReceiverConfirm, a.m_SequenceNumbers,
                         a.m_ParallellReceivers, a.m_ParallellNumbers);
}

TEST(AlarmTest, ConditionsTakeTextsInsideTheirRange) {
  cAlarm a;
  a.SetCondition(0, TypedValue::Text("Prio > 3"));
  a.SetCondition(5, TypedValue::Integer(-12));
  EXPECT_EQ(a.GetCondition(0), "Prio > 3");
  EXPECT_EQ(a.GetCondition(5), "-12");
  EXPECT_EQ(ErrorOf([&] { a.SetCondition(6, TypedValue::Text("x")); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { a.SetCondition(-1, TypedValue::Text("x")); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { a.GetCondition(6); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { a.SetCondition(0, TypedValue::Null()); }), kInvalidUseOfNull);
  EXPECT_EQ(a.GetCondition(0), "Prio > 3");
}

TEST(AlarmTest, CopyTakesTheAlarmAndKeepsTheSendingState) {
  cAlarm source = FilledAlarm();
  // Copied.
  source.m_System = 4;
  source.m_WaitingForConfirmation = -1;
  source.m_TimeToContinue = 3.5;
  source.m_NextSequenceReceiver = 2;
  source.m_SimulationBehaviour = 1;
  // Not copied: the target keeps its own sending state.
  source.m_TimeToSend = 99;
  source.m_ExpectConfirmationFrom = "source";
  source.m_RepeatCount = 5;
  source.m_TriedToSendAtLeastOnce = -1;
  source.m_ShouldNotBeRepeatedAnyMore = -1;

  const double before = Now();
  cAlarm target;  // a new alarm is stamped now; the copy takes the source's stamp
  EXPECT_GE(target.m_TimeStampFromPC, before);
  EXPECT_LE(target.m_TimeStampFromPC, Now());
  target.CopyFromOtherObject(source);
  EXPECT_EQ(RecordFields(target), RecordFields(source));
  EXPECT_EQ(std::tie(target.m_System, target.m_WaitingForConfirmation, target.m_TimeToContinue,
                     target.m_NextSequenceReceiver, target.m_SimulationBehaviour),
            std::make_tuple(4, int16_t{-1}, 3.5, int16_t{2}, int16_t{1}));
  EXPECT_EQ(std::tie(target.m_TimeToSend, target.m_ExpectConfirmationFrom, target.m_RepeatCount,
                     target.m_TriedToSendAtLeastOnce, target.m_ShouldNotBeRepeatedAnyMore),
            std::make_tuple(0.0, std::string(), 0, int16_t{0}, int16_t{0}));
}

class AlarmFileTest : public DataDirectoryTest {
 protected:
  AlarmFileTest() : DataDirectoryTest(".") {}
  void SetUp() override { DataDirectoryTest::SetUp(); path_ = dir_ + "/alarms.dat"; }

  std::string Contents() const { return ReadBytes(path_); }
  // The file holding the filled alarm alone; returns its bytes.
  std::string WriteFilled() const {
    BinaryFile file;
    file.Open(path_, BinaryFile::Mode::kCreate);
    FilledAlarm().WriteToDisk(file, 0);
    file.Close();
    return Contents();
  }

  std::string path_;
};

TEST_F(AlarmFileTest, RecordBytesFollowTheLayout) {
  const std::string written = WriteFilled();

  Bytes expected;
  expected.F64(45000.25).F64(45000.5).Raw(std::string("\x04\x03\x02\x01\xFE\xFF", 6));
  for (int i = 0; i < 6; ++i) expected.Text("c" + std::to_string(i));
  expected.Text("seq").Text("conf\xE9").I16(7).Text("par").I16(9).Zeros(60);
  EXPECT_EQ(written, expected.s);
}

TEST_F(AlarmFileTest, RecordsLieBackToBackAndReadBackAtTheirLocations) {
  cAlarm empty;
  const cAlarm filled = FilledAlarm();
  BinaryFile file;
  file.Open(path_, BinaryFile::Mode::kCreate);
  empty.WriteToDisk(file, 0);
  EXPECT_EQ(file.Position(), 104);
  filled.WriteToDisk(file, -5);  // 0 or less: the current position
  const int64_t second_size = 104 + 6 * 2 + 3 + 5 + 3;
  EXPECT_EQ(file.Position(), 104 + second_size);
  empty.WriteToDisk(file, 0);
  file.Close();
  EXPECT_EQ(Contents().size(), static_cast<size_t>(2 * 104 + second_size));

  file.Open(path_, BinaryFile::Mode::kRead);
  cAlarm read;
  read.ReadFromDisk(file, 105);  // 1-based: the second record
  EXPECT_EQ(RecordFields(read), RecordFields(filled));
  EXPECT_EQ(file.Position(), 104 + second_size);
  read.ReadFromDisk(file, 0);  // the third, from the current position
  EXPECT_EQ(RecordFields(read), RecordFields(empty));
  file.Close();

  // Writing at a location rewrites that record in place.
  file.Open(path_, BinaryFile::Mode::kReadWrite);
  filled.WriteToDisk(file, 1);
  read.ReadFromDisk(file, 1);
  EXPECT_EQ(RecordFields(read), RecordFields(filled));
  file.Close();
}

TEST_F(AlarmFileTest, ReservedPartsAreSkippedOnReading) {
  // Reserved texts that another writer filled, and a nonzero reserved block.
  std::string bytes = WriteFilled();
  const size_t reserved = bytes.size() - 60;
  bytes = bytes.substr(0, reserved) + std::string("\x03\x00xyz", 5) + std::string(18, '\0') +
          std::string(40, '\x55');
  WriteBytes(path_, bytes);

  BinaryFile file;
  file.Open(path_, BinaryFile::Mode::kRead);
  cAlarm read;
  read.ReadFromDisk(file, 1);
  EXPECT_EQ(RecordFields(read), RecordFields(FilledAlarm()));
  EXPECT_EQ(file.Position(), static_cast<int64_t>(bytes.size()));
}

TEST_F(AlarmFileTest, TruncatedRecordRaisesAndChangesNothing) {
  const std::string whole = WriteFilled();
  BinaryFile file;
  for (size_t size = 0; size < whole.size(); ++size) {
    WriteBytes(path_, whole.substr(0, size));
    file.Open(path_, BinaryFile::Mode::kRead);
    cAlarm read;
    read.m_EventId = 77;
    read.SetCondition(0, TypedValue::Text("old"));
    ASSERT_EQ(ErrorOf([&] { read.ReadFromDisk(file, 1); }), kInputPastEndOfFile) << size;
    EXPECT_EQ(read.m_EventId, 77);
    EXPECT_EQ(read.GetCondition(0), "old");
    EXPECT_EQ(file.Position(), 0);
    file.Close();
  }
}

TEST_F(AlarmFileTest, TextTooLongForTheRecordOverflowsBeforeWriting) {
  BinaryFile file;
  file.Open(path_, BinaryFile::Mode::kCreate);
  cAlarm a;
  // 32,767 code-page bytes fit, though the UTF-8 text is twice as long.
  std::string longest;
  for (int i = 0; i < 32767; ++i) longest += "\xC3\xA9";
  a.m_ParallellReceivers = longest;
  a.WriteToDisk(file, 0);
  EXPECT_EQ(file.Position(), 104 + 32767);

  a.m_ParallellReceivers.clear();
  a.SetCondition(2, TypedValue::Text(std::string(32768, 'x')));
  EXPECT_EQ(ErrorOf([&] { a.WriteToDisk(file, 0); }), kOverflow);
  EXPECT_EQ(ErrorOf([&] { a.WriteToDisk(file, 1); }), kOverflow);
  EXPECT_EQ(file.Position(), 104 + 32767);
  EXPECT_EQ(file.Length(), 104 + 32767);

  cAlarm read;
  read.ReadFromDisk(file, 1);
  EXPECT_EQ(read.m_ParallellReceivers, longest);
  file.Close();
}

TEST_F(AlarmFileTest, ConcurrentAppendersLoseNothingAndNeverMix) {
  // Four processes, each opening the log for every record as a forwarding
  // server would; records of different lengths, so that a mix shows.
  constexpr int kProcesses = 4, kEach = 40;
  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    const pid_t child = ::fork();
    if (child == 0) {
      for (int n = 0; n < kEach; ++n) {
        cAlarm alarm;
        alarm.m_EventId = p * kEach + n;
        alarm.m_ParallellReceivers = std::string(static_cast<size_t>(p * 50), 'r');
        BinaryFile log;
        log.Open(path_, BinaryFile::Mode::kAppend);
        alarm.WriteToDisk(log, 0);
        log.Close();
      }
      ::_exit(0);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) ::waitpid(child, nullptr, 0);

  BinaryFile log;
  log.Open(path_, BinaryFile::Mode::kRead);
  std::vector<int> seen(kProcesses * kEach, 0);
  while (log.Position() < log.Length()) {
    cAlarm alarm;
    alarm.ReadFromDisk(log, 0);
    ASSERT_EQ(alarm.m_ParallellReceivers.size(), static_cast<size_t>(alarm.m_EventId / kEach * 50));
    ++seen.at(static_cast<size_t>(alarm.m_EventId));
  }
  EXPECT_EQ(seen, std::vector<int>(kProcesses * kEach, 1));
  log.Close();

  // Nothing in an append-only log is written over.
  log.Open(path_, BinaryFile::Mode::kAppend);
  EXPECT_EQ(ErrorOf([&] { cAlarm().WriteToDisk(log, 1); }), kBadFileMode);
  cAlarm().WriteToDisk(log, 0);
  EXPECT_EQ(log.LastAppendStart(), log.Position() - 104);
}

}  // namespace
}  // namespace quindo
