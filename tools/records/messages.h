#pragma once
// What quindo-records says besides its results, and how it ends: the exit
// statuses, the error a command raises, and the one shape of a message on
// standard error, one line each:
//
//   quindo-records: <command>: <what>
//
// with bytes that are no valid UTF-8, and control characters, shown escaped
// (\xHH), so that a message never garbles the terminal or splits a line.

#include <stdexcept>
#include <string>
#include <string_view>

namespace quindo::records {

// The exit statuses, the same for every command (calendar diff keeps diff's
// own: 0 equal, 1 different, 2 trouble).
constexpr int kExitDone = 0;
// The command could not do its job on the records or files it works on (a
// missing or unreadable record or calendar included).
constexpr int kExitFailed = 1;
// Bad usage or a bad input document: arguments, JSON, a rules file, a type
// table (a missing one included).
constexpr int kExitBadInput = 2;

// How a message line starts. Two texts keep the shape that scripts have
// matched since before the one shape: the missing record ("no profile file
// 42 (PATH)", alone on its line) and a put's refused character
// ("quindo-records: Name: ..."), whose field path reads as the command's.
enum class MessageShape {
  kCommand,  // quindo-records: <command>: <what>
  kProgram,  // quindo-records: <what>
  kBare,     // <what>
};

// Raised by a command that cannot go on: the message and the exit status.
class CommandError : public std::runtime_error {
 public:
  CommandError(int status, const std::string& what, MessageShape shape = MessageShape::kCommand)
      : std::runtime_error(what), status_(status), shape_(shape) {}
  int Status() const { return status_; }
  MessageShape Shape() const { return shape_; }

 private:
  int status_;
  MessageShape shape_;
};

// Bad arguments or a bad input document: status 2.
inline CommandError UsageError(const std::string& what) { return CommandError(kExitBadInput, what); }

// The refusal of a text with a character that the code page cannot hold
// (status 2): "quindo-records: FIELD: "c" cannot be stored in the code page
// (--lossy stores it as "?")".
CommandError UnstorableTextError(const std::string& field, const std::string& character);

// `text` with every byte that is no part of valid UTF-8, and every control
// character, written as \xHH.
std::string Printable(std::string_view text);

// The command whose messages are being written ("profile show"); empty
// before one is known.
void SetMessageCommand(std::string command);

// Writes one message line to standard error in the given shape.
void SayLine(const std::string& what, MessageShape shape = MessageShape::kCommand);

// The record classes report their failures and conversions through
// ReportError. Installed once: their messages wait until the command knows
// whether its operation worked. FlushRecordReports writes them as they
// stand, one line each ("Removed profile 'Day' PATH", "File converted");
// TakeRecordReports returns them as one text, for the line of a failure.
void CollectRecordReports();
void FlushRecordReports();
std::string TakeRecordReports();

// Writes a result to standard output.
void Print(std::string_view text);

}  // namespace quindo::records
