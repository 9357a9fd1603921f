// alarm dump: the records of an alarm log, decoded and printed one at a time,
// so that a log of any length is dumped in constant memory. The records
// counted are those that every finished append had written when the dump
// started; later appends are left for the next dump.

#include <charconv>
#include <cstdio>
#include <deque>
#include <iostream>
#include <optional>

#include "alarm_commands.h"
#include "alarm_json.h"
#include "command_args.h"
#include "command_status.h"
#include "common/binary_file.h"
#include "common/error.h"

namespace quindo::records {
namespace {

constexpr const char* kUsage = "alarm dump FILE [--jsonl] [--from LOCATION] [--last N] [--read-only]";

int64_t ParseCount(const std::string& text, const std::string& what, int64_t lowest) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < lowest) {
    throw CommandLineError(what + " must be a whole number of at least " + std::to_string(lowest) + ", not \"" +
                           text + "\"");
  }
  return value;
}

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

int AlarmDump(const std::vector<std::string>& args) {
  const CommandArgs read = ReadCommandArgs(args, {"--from", "--last"}, 1, kUsage, {"--jsonl", "--read-only"});
  const std::string& name = read.positional[0];
  const int64_t from = read.Option("--from") ? ParseCount(*read.Option("--from"), "--from", 1) : 1;
  std::optional<int64_t> last;
  if (read.Option("--last")) last = ParseCount(*read.Option("--last"), "--last", 0);

  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  RecordPrinter printer(read.Switch("--jsonl"));
  int status = kExitDone;
  try {
    BinaryFile log;
    log.Open(name, BinaryFile::Mode::kRead);
    const int64_t end = log.SettledLength();
    if (from - 1 > end) {
      std::cerr << "quindo-records: " << name << ": --from " << from << " lies beyond the end of the log (location "
                << end + 1 << ")\n";
      return kExitFailed;
    }
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
        std::cerr << "quindo-records: " << name << ": the record at location " << location << " is incomplete\n";
        status = kExitFailed;
        break;
      }
      printer.Print(alarm);
    }
    log.Close();
  } catch (const Error& e) {
    std::cerr << "quindo-records: " << name << ": " << e.Description() << '\n';
    status = kExitFailed;
  }
  if (!printer.Finish()) {
    std::cerr << "quindo-records: standard output: cannot be written\n";
    return kExitFailed;
  }
  return status;
}

}  // namespace quindo::records
