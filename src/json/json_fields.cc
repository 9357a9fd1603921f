#include "json/json_fields.h"

#include "common/error.h"
#include "common/file_system.h"

namespace quindo {

using nlohmann::json;

std::string JsonLibraryMessage(const json::exception& e) {
  // "[json.exception.parse_error.101] parse error at ..." without the code,
  // which means nothing to the writer of the document.
  const std::string_view what = e.what();
  const size_t code_end = what.starts_with("[json.exception.") ? what.find("] ") : std::string_view::npos;
  return std::string(code_end == std::string_view::npos ? what : what.substr(code_end + 2));
}

json ParseJsonDocument(std::string_view text) {
  try {
    return json::parse(text);
  } catch (const json::exception& e) {
    throw JsonInputError("not valid JSON: " + JsonLibraryMessage(e));
  }
}

json ReadJsonFile(const std::string& path, size_t limit) {
  std::string text;
  try {
    if (DirectoryExists(path)) throw Error(kPathFileAccessError, "is a directory");
    text = ReadWholeFile(path, limit);
  } catch (const Error& e) {
    throw JsonInputError(path + ": cannot be read: " + e.Description());
  }
  try {
    return ParseJsonDocument(text);
  } catch (const JsonInputError& e) {
    throw JsonInputError(path + ": " + e.what());
  }
}

std::string MemberPath(const std::string& where, const std::string& key) {
  return where.empty() ? key : where + "." + key;
}

std::string ElementPath(const std::string& where, size_t index) {
  return where + "[" + std::to_string(index) + "]";
}

void ForEachMember(const json& object, const std::string& where, const MemberHandlers& handlers) {
  if (!object.is_object()) throw JsonInputError((where.empty() ? "input" : where) + ": expected an object");
  for (const auto& [key, value] : object.items()) {
    const auto handler = handlers.find(key);
    const std::string path = MemberPath(where, key);
    if (handler == handlers.end()) throw JsonInputError("unknown field \"" + path + "\"");
    handler->second(value, path);
  }
}

int64_t WholeNumberOf(const json& value, int64_t lo, int64_t hi, const std::string& where) {
  const std::string range = std::to_string(lo) + ".." + std::to_string(hi);
  if (!value.is_number_integer()) throw JsonInputError(where + ": expected a whole number in " + range);
  const bool fits = value.is_number_unsigned() ? value.get<uint64_t>() <= static_cast<uint64_t>(hi)
                                               : value.get<int64_t>() >= lo && value.get<int64_t>() <= hi;
  if (!fits) throw JsonInputError(where + ": " + value.dump() + " is outside " + range);
  return value.get<int64_t>();
}

int16_t Int16Of(const json& value, const std::string& where) {
  return static_cast<int16_t>(WholeNumberOf(value, INT16_MIN, INT16_MAX, where));
}

int16_t FlagOf(const json& value, const std::string& where) {
  if (value.is_boolean()) return value.get<bool>() ? -1 : 0;
  if (value.is_number_integer()) {
    const bool zero = value.is_number_unsigned() ? value.get<uint64_t>() == 0 : value.get<int64_t>() == 0;
    if (zero) return 0;
    if (!value.is_number_unsigned() && value.get<int64_t>() == -1) return -1;
  }
  const std::string what = value.is_number() ? value.dump() + " is no flag" : "expected a flag";
  throw JsonInputError(where + ": " + what + " (true, false, -1 or 0)");
}

int16_t DiskIdentityOf(const json& value, const std::string& where) {
  return static_cast<int16_t>(WholeNumberOf(value, -1, 9999, where));
}

double NumberOf(const json& value, const std::string& where) {
  if (!value.is_number()) throw JsonInputError(where + ": expected a number");
  return value.get<double>();
}

std::string TextOf(const json& value, const std::string& where) {
  if (!value.is_string()) throw JsonInputError(where + ": expected a text");
  return value.get<std::string>();
}

const json& ArrayOf(const json& value, size_t size, const std::string& where) {
  if (!value.is_array() || (size != 0 && value.size() != size)) {
    throw JsonInputError(where + ": expected an array" +
                         (size != 0 ? " of " + std::to_string(size) + " elements" : std::string()));
  }
  return value;
}

}  // namespace quindo
