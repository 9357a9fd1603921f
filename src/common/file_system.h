#pragma once
// The few whole-file services the record classes need beyond BinaryFile.
// Failures raise quindo::Error with the platform's file error numbers.

#include <cstdint>
#include <string>
#include <string_view>

namespace quindo {

// True when the name is an ordinary file that is not hidden (its name does
// not start with "."); directories and errors give false. Never raises.
bool FileExists(const std::string& path);
// Deletes a file; a missing file raises 53 "File not found".
void DeleteFile(const std::string& path);
// Appends bytes at the end of a file, creating it when missing.
void AppendToFile(const std::string& path, std::string_view bytes);
// Replaces `to` by `from` in one step (both in the same directory).
void RenameFile(const std::string& from, const std::string& to);

// A pseudo-random number in [0, 1), one generator per thread.
double Rnd();
void SeedRnd(uint64_t seed);

}  // namespace quindo
