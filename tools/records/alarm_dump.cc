// alarm dump: the records of an alarm log, decoded and printed one at a time,
// so that a log of any length is dumped in constant memory. The records
// counted are those that every finished append had written when the dump
// started; later appends are left for the next dump.

#include <cstdio>
#include <deque>
#include <optional>

#include "arguments.h"
#include "command_line.h"
#include "common/binary_file.h"
#include "common/error.h"
#include "json/alarm_json.h"
#include "messages.h"

namespace quindo::records {
namespace {

// Prints records as one JSON array laid out as a whole array dumped with an
// indent of 2, or as one compact object a line.
class RecordPrinter {
 public:
  explicit RecordPrinter(bool lines) : lines_(lines) {}

  void Print(const cAlarm& alarm) {
    text_.clear();
    if (lines_) {
      AppendAlarmJsonLine(alarm, text_);
    } else {
      text_ = count_ == 0 ? "[\n  " : ",\n  ";
      for (const char c : AlarmToJson(alarm).dump(2)) {
        text_ += c;
        if (c == '\n') text_ += "  ";  // one level deeper, inside the array
      }
    }
    std::fwrite(text_.data(), 1, text_.size(), stdout);
    ++count_;
  }

  // True when everything printed reached standard output.
  bool Finish() {
    if (!lines_) std::fputs(count_ == 0 ? "[]\n" : "\n]\n", stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
  }

 private:
  bool lines_;
  int64_t count_ = 0;
  std::string text_;
};

// Reads the record at the position of `log` into `alarm`; false, with the
// position left at the record's start, when the log ends inside it (at
// `end`, or where the file itself ends).
bool ReadRecord(BinaryFile& log, int64_t end, cAlarm& alarm) {
  const int64_t start = log.Position();
  try {
    alarm.ReadFromDisk(log, 0);
  } catch (const Error& e) {
    if (e.Number() != kInputPastEndOfFile) throw;
    return false;
  }
  if (log.Position() <= end) return true;
  log.Seek(start);
  return false;
}

}  // namespace

int AlarmDump(const Invocation& in) {
  const std::string& name = in.operands[0];
  constexpr int64_t kMost = INT64_MAX;
  const int64_t from = in.Value("--from") ? WholeNumberArgument(*in.Value("--from"), 1, kMost, "--from") : 1;
  std::optional<int64_t> last;
  if (in.Value("--last")) last = WholeNumberArgument(*in.Value("--last"), 0, kMost, "--last");

  // A log that cannot be opened prints nothing, not even an empty array.
  BinaryFile log;
  int64_t end = 0;
  try {
    log.Open(name, BinaryFile::Mode::kRead);
    end = log.SettledLength();
  } catch (const Error& e) {
    throw CommandError(kExitFailed, name + ": " + e.Description());
  }
  if (from - 1 > end) {
    throw CommandError(kExitFailed, name + ": --from " + std::to_string(from) +
                                        " lies beyond the end of the log (location " + std::to_string(end + 1) + ")");
  }

  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  RecordPrinter printer(in.Has("--jsonl"));
  int status = kExitDone;
  try {
    log.Seek(from - 1);
    cAlarm alarm;
    if (last) {
      // Records have no fixed length: the last N are found by reading on to
      // the end, remembering where the latest N start.
      // An incomplete record stops the search where it starts, and is named
      // after the last N complete ones are printed.
      std::deque<int64_t> starts;
      while (log.Position() < end) {
        const int64_t start = log.Position();
        if (!ReadRecord(log, end, alarm)) break;
        starts.push_back(start);
        if (starts.size() > static_cast<size_t>(*last)) starts.pop_front();
      }
      if (!starts.empty()) log.Seek(starts.front());
    }
    while (log.Position() < end) {
      const int64_t location = log.Position() + 1;
      if (!ReadRecord(log, end, alarm)) {
        SayLine(name + ": the record at location " + std::to_string(location) + " is incomplete");
        status = kExitFailed;
        break;
      }
      printer.Print(alarm);
    }
    log.Close();
  } catch (const Error& e) {
    SayLine(name + ": " + e.Description());
    status = kExitFailed;
  }
  if (!printer.Finish()) {
    throw CommandError(kExitFailed, "standard output: cannot be written");
  }
  return status;
}

}  // namespace quindo::records
