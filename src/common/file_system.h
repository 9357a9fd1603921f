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

// Durable replacement of whole files (atomic_file.cc). A power cut or a
// killed process leaves either the old content or the new, never a mix.
//
// Replaces the file's whole content: the bytes go to a temporary file in the
// same directory, are forced to disk, and the temporary then replaces the
// file by a rename that is itself forced to disk. On failure the old file is
// untouched and the temporary removed; raises the file error.
void WriteFileAtomically(const std::string& path, std::string_view bytes);
// A fresh temporary name beside `path` that no record listing can take for a
// record file: "." + file name + ".tmp-" + process id + "-" + counter.
std::string TemporaryNameFor(const std::string& path);
// Removes the temporaries of `path` that a killed process left (those whose
// process is gone). Never raises: a left-over file only wastes space.
void RemoveStaleTemporaries(const std::string& path);
// Forces a file's content to disk; raises the file error.
void SyncFile(const std::string& path);
// Forces the directory holding `path` to disk, so that a rename or a new
// name in it survives a power cut; raises the file error.
void SyncDirectoryOf(const std::string& path);

// A pseudo-random number in [0, 1), one generator per thread.
double Rnd();
void SeedRnd(uint64_t seed);

}  // namespace quindo
