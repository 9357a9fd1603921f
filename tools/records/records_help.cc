#include "records_help.h"

#include "command.h"

namespace quindo::records {
namespace {

constexpr const char* kUsage =
    "Usage: quindo-records [OPTION]... KIND COMMAND [ARGUMENT]... [OPTION]...\n"
    "Shows, stores, lists and removes record files, with the records as JSON.\n";

constexpr const char* kOptions = R"text(
Options may stand before or after the command, as --name VALUE or
--name=VALUE; each is given at most once, and -- ends them.
  --data-dir DIR     Directory holding "Profiles/" and "Receivers/" (default:
                     the current one); the kind's folder must exist.
  --language FILE    Language file of the message texts (default: the English
                     texts shipped with the program).
  --read-only        Loads without converting: a profile or receiver file of
                     an older version is read as it is and left untouched.
                     Without it, every command that loads such a file
                     rewrites it in the current version ("File converted"),
                     as the record files' loads always do; the upgrade
                     commands convert on purpose.
  --receiver-types FILE  The receiver type table: a JSON array of at most 300
                     rows {"TypeId": n, "TypeName": "...", "Protocol": "...",
                     "TemplateFile": "..."}, looked up in order (the first
                     row of an id wins). Template files are settings files
                     relative to the data directory; "ILM"/"ILMTCP" receivers
                     take their keep-alive interval from setting 1, "T940SI"
                     receivers from key T11 of section [ReceiverTypeSettings].
  -h, --help         Shows this text.
  --version          Prints the program's version.
)text";

constexpr const char* kJsonFields = R"text(
JSON fields are the profile's member names without "m_": Name, Enabled,
States [3], UseTimeSchedule, ParallellReceivers, SequentialReceivers,
Conditions [6], TimeSchedule_ViewDayType, Calendar_ViewTimeAxis,
UseExternalTag, ExternalTagName, IgnoreExternalTagInOtherProfiles,
UseExternalFile, ExternalFileName, ExternalFileText, ScanSpecificSystems,
Systems [64], OffDutyAlarmBehaviour, FileDateTimeStamp (days since
1899-12-30), DiskIdentity (-1..9999), and TimeSchedule: {"UseCalendar": f,
"DayTypes": [23 x {"Active": f, "Grouped": f, "Axis": n, "Periods":
[[start, stop], ...]}]}. Numbers are the stored 16-bit values. Flags (f,
and Enabled, UseTimeSchedule, UseExternalTag,
IgnoreExternalTagInOtherProfiles, UseExternalFile, ScanSpecificSystems)
are written -1 (true) and 0 (false) and read as true, false, -1 or 0; any
other value is refused, naming the field.

Receiver JSON fields: DiskIdentity, Enabled (a flag), ReceiverTypeId,
ReceiverName, BackupReceiver, Settings [4 x {"Kind": k, "Value": v}],
FileDateTimeStamp, and the derived ReceiverTypeIndex, ReceiverTypeName,
KeepAliveInterval (FileDateTimeStamp and the derived fields are ignored by
put). Kinds: 0 empty and 1 null (no Value), 2 16-bit, 3 32-bit and 17 byte
(whole numbers), 4 single and 5 double (numbers), 6 currency (units, kept
to four decimals), 7 date (days since 1899-12-30), 8 text, 11 flag.

A holiday rules file is a JSON array of rules, each {"Label": text,
"DayType": 1..7 (Monday..Sunday) or 8..23 (special day types 1..16),
"ViewInCalendar": flag} plus one of
  "Rule": "fixed", "Month": m, "Day": d
  "Rule": "nth-weekday", "Month": m, "Weekday": 1..7 (Monday = 1), "N": 1..5 or -1 (last)
  "Rule": "easter", "Offset": days after Western Easter Sunday (-365..365)
and optionally "FromYear" and "ToYear" (for Easter rules, the Easter years).
Where rules share a date, the later rule wins. A month without an N-th
weekday gives no date that year.

Alarm JSON fields are the record's member names without "m_":
TimeStampFromSCADA, TimeStampFromPC (days since 1899-12-30), EventId (32-bit),
Status, Conditions [6 texts], SequenceReceivers, SequenceReceiverConfirm,
SequenceNumbers, ParallellReceivers, ParallellNumbers (16-bit numbers); dump
adds EventIdHex (last four hexadecimal digits), which append ignores. Texts
hold at most 32767 characters of the code page.

An input document (put, alarm append, calendar set --json) holds at most
64 MiB.
)text";

constexpr const char* kFilesAndStatus = R"text(
Loading a profile file of version 4, or a receiver file of version 3 or 4,
rewrites it in the current version (see --read-only).

Every file is saved whole through a temporary file beside it that is forced
to disk and renamed over it: a failure or a power cut leaves the old file
byte for byte. A symbolic link stays a link (its target is replaced); the
file keeps its permissions, and its owner where the tool may set it; a file
the tool may not write is not replaced. A hard link keeps the old content.

Standard output carries the command's result only. Messages go to standard
error, one line each: "quindo-records: COMMAND: WHAT" (bytes that are no
text shown as \xHH), the record files' own messages as they write them, and
"no KIND file ID (PATH)" for a record file that is not there.

Exit status, the same for every command:
  0  done (calendar diff: the files are equal)
  1  the command could not do its job on the records or files it works on,
     a missing or unreadable record, calendar or log included
     (calendar diff: the files differ)
  2  bad usage or a bad input document: arguments, JSON, a rules file, a
     type table, a missing one included (calendar diff: a file could not
     be read)
)text";

// "profile" -> "Profile commands:".
std::string Heading(const std::string& kind) {
  return "\n" + std::string(1, static_cast<char>(kind[0] - 'a' + 'A')) + kind.substr(1) + " commands:\n";
}

// The help of a command, each line indented by 6.
std::string Indented(const std::string& text) {
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    out += "      " + text.substr(start, end - start) + "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return out;
}

}  // namespace

std::string HelpText() {
  std::string help = kUsage;
  std::string kind;
  for (const Command& command : AllCommands()) {
    const std::string this_kind = command.words.substr(0, command.words.find(' '));
    if (this_kind != kind) help += Heading(kind = this_kind);
    help += "  " + UsageLine(command) + "\n" + Indented(command.help);
  }
  return help + kOptions + kJsonFields + kFilesAndStatus;
}

}  // namespace quindo::records
