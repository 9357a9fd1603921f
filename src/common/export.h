#pragma once
// QUINDO_EXPORT marks the public API of the shared libraries that hosts link
// (libquindo-core, libquindo-widgets). Everything is compiled with hidden
// symbols, so what is not marked stays inside the library that defines it.
// The static libraries that the tests and tools link are built from the same
// objects; there the mark changes nothing.

#define QUINDO_EXPORT __attribute__((visibility("default")))
