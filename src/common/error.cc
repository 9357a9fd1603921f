#include "common/error.h"

#include <cerrno>

namespace quindo {

Error::Error(int32_t number) : Error(number, DescriptionOf(number)) {}

Error::Error(int32_t number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

std::string DescriptionOf(int32_t number) {
  switch (number) {
    case kInvalidProcedureCall: return "Invalid procedure call or argument";
    case kOverflow: return "Overflow";
    case kOutOfMemory: return "Out of memory";
    case kSubscriptOutOfRange: return "Subscript out of range";
    case kDivisionByZero: return "Division by zero";
    case kTypeMismatch: return "Type mismatch";
    case kBadFileNameOrNumber: return "Bad file name or number";
    case kFileNotFound: return "File not found";
    case kBadFileMode: return "Bad file mode";
    case kFileAlreadyOpen: return "File already open";
    case kFileAlreadyExists: return "File already exists";
    case kDiskFull: return "Disk full";
    case kInputPastEndOfFile: return "Input past end of file";
    case kPermissionDenied: return "Permission denied";
    case kPathFileAccessError: return "Path/File access error";
    case kPathNotFound: return "Path not found";
    case kInvalidUseOfNull: return "Invalid use of Null";
    case kObjectRequired: return "Object required";
    case kObjectDoesntSupportMember: return "Object doesn't support this property or method";
    default: return "Application-defined or object-defined error";
  }
}

Error FileErrorFromErrno(int errno_value) {
  switch (errno_value) {
    case ENOENT: return Error(kPathNotFound);
    case ENOTDIR: return Error(kPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS: return Error(kPermissionDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return Error(kDiskFull);
    case EEXIST: return Error(kFileAlreadyExists);
    case ENAMETOOLONG:
    case EINVAL: return Error(kBadFileNameOrNumber);
    default: return Error(kPathFileAccessError);
  }
}

}  // namespace quindo
