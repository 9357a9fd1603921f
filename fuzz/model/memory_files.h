#pragma once
// The in-memory file system that the file loader targets read and write, so
// that no input touches the disk (and none waits for it): installed on this
// thread on first use, emptied for every input.

#include <string>

#include "common/memory_file_system.h"

// The file system, empty but for `directory`.
inline quindo::MemoryFileSystem& FreshMemoryFiles(const std::string& directory) {
  static quindo::MemoryFileSystem* const files = [] {
    auto* memory = new quindo::MemoryFileSystem();
    quindo::SetActiveFileSystem(memory);
    return memory;
  }();
  files->Clear();
  files->CreateDirectory(directory);
  return *files;
}
