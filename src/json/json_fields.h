#pragma once
// What every reader of a record's JSON shares: the error it raises, the walk
// over an object's members, and the checked conversions of one value. The
// messages name the value by its path in the document ("Name",
// "TimeSchedule.DayTypes[3].Active", "[2].Settings[0].Value"), so that the
// person who wrote the document finds what was refused.

#include <cstdint>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/export.h"

namespace quindo {

// A document that does not describe what was asked for: bad JSON, an unknown
// field, a value of the wrong type or outside its range. The message names
// the field; nothing has been changed on disk when it is raised.
class QUINDO_EXPORT JsonInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses one JSON document. Bad JSON raises JsonInputError "not valid JSON:
// parse error at line L, column C: ..." (the JSON library's own error codes
// left out).
QUINDO_EXPORT nlohmann::json ParseJsonDocument(std::string_view text);

// Reads and parses a JSON file of at most `limit` bytes. A file that cannot
// be read (missing, a directory, longer than the limit) raises
// JsonInputError "PATH: cannot be read: REASON", bad JSON "PATH: not valid
// JSON: ...".
QUINDO_EXPORT nlohmann::json ReadJsonFile(const std::string& path, size_t limit);

// The message of a JSON library exception without its internal code.
QUINDO_EXPORT std::string JsonLibraryMessage(const nlohmann::json::exception& e);

// "where.key", or "key" at the top of the document.
std::string MemberPath(const std::string& where, const std::string& key);
// "where[index]".
std::string ElementPath(const std::string& where, size_t index);

using MemberHandlers = std::map<std::string, std::function<void(const nlohmann::json&, const std::string&)>>;

// Runs the handler of every member of `object`, given the value and its
// path. A member without a handler is refused, so that a misspelt field is
// not silently dropped; so is a value that is no object.
void ForEachMember(const nlohmann::json& object, const std::string& where, const MemberHandlers& handlers);

// A whole number in lo..hi: "where: expected a whole number in lo..hi",
// "where: V is outside lo..hi".
int64_t WholeNumberOf(const nlohmann::json& value, int64_t lo, int64_t hi, const std::string& where);
int16_t Int16Of(const nlohmann::json& value, const std::string& where);

// A flag: true or -1 gives -1, false or 0 gives 0; any other value is
// refused. Flags are written as -1 and 0 (FlagToJson), the stored form,
// whatever non-zero value a file holds.
int16_t FlagOf(const nlohmann::json& value, const std::string& where);
inline int16_t FlagToJson(int16_t stored) { return stored != 0 ? -1 : 0; }

// A record's file number, or -1 for a record that is to draw one.
int16_t DiskIdentityOf(const nlohmann::json& value, const std::string& where);

// Any finite number.
double NumberOf(const nlohmann::json& value, const std::string& where);
std::string TextOf(const nlohmann::json& value, const std::string& where);

// An array of `size` elements (any length for 0).
const nlohmann::json& ArrayOf(const nlohmann::json& value, size_t size, const std::string& where);

}  // namespace quindo
