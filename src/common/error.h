#pragma once
// The one error type of the library. Failures that an operation raises to its
// caller carry the platform error number and its description, because callers
// (and the step recorder) decide on exactly those numbers.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "common/export.h"

namespace quindo {

// Platform error numbers that the record classes, codecs and control raise.
// These numbers are seen by callers and must not change.
enum ErrorNumber : int32_t {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kSubscriptOutOfRange = 9,
  kDivisionByZero = 11,
  kTypeMismatch = 13,
  kBadFileNameOrNumber = 52,
  kBadFileMode = 54,
  kFileNotFound = 53,
  kFileAlreadyOpen = 55,
  kFileAlreadyExists = 58,
  kDiskFull = 61,
  kInputPastEndOfFile = 62,
  kPermissionDenied = 70,
  kPathFileAccessError = 75,
  kPathNotFound = 76,
  kInvalidUseOfNull = 94,
  kObjectRequired = 424,
  kObjectDoesntSupportMember = 438,
};

class QUINDO_EXPORT Error : public std::runtime_error {
 public:
  // Uses the standard description of the number.
  explicit Error(int32_t number);
  Error(int32_t number, std::string description);

  int32_t Number() const { return number_; }
  const std::string& Description() const { return description_; }

 private:
  int32_t number_;
  std::string description_;
};

// The platform's description of an error number ("Overflow", "Subscript out
// of range", ...); "Application-defined or object-defined error" otherwise.
QUINDO_EXPORT std::string DescriptionOf(int32_t number);

// Maps an errno value from a file operation to the platform error it stands
// for (ENOENT on a directory component -> 76, EACCES -> 70, ENOSPC -> 61, ...).
Error FileErrorFromErrno(int errno_value);

}  // namespace quindo
