#pragma once
// The receiver file: a version number and the receiver record. Little-endian,
// no padding; a text is a 16-bit length followed by that many code-page bytes.
//
//   field                      size    version 5 (written)   4       3
//    1  version                   2    5                     4       3
//    2  disk identity             2    m_DiskIdentity        same    ignored
//    3  enabled                   2    m_Enabled             same    -
//    4  receiver type             2                          same    same
//    5  receiver name          text                          same    same
//    6  settings 0..3      4xtyped                           same    same
//    7  reserved                 10    zeros, ignored        same    -
//    8  backup receiver        text                          same    -
//    9  time stamp (date)         8    time of saving        -       -
//   10  reserved               2048    zeros, ignored        -       -
//   11  four texts                     -                     ignored -
//
// A typed value is a 16-bit kind and the value in the form of its kind:
//   0 empty, 1 null (nothing follows), 2 16-bit, 3 32-bit, 4 32-bit float,
//   5 64-bit float, 6 currency (64-bit count of ten-thousandths), 7 date
//   (64-bit float), 8 text, 11 flag (16-bit), 17 byte (8-bit).
// Any other kind cannot be read (its size is unknown), so the rest of the
// record cannot be located: the file does not load.
//
// With name "A", empty settings and backup, version 5 takes 2 087 bytes.
// These layouts are stored on disk and must not change.

#include <array>
#include <cstdint>
#include <string>

#include "common/typed_value.h"
#include "model/record_file.h"

namespace quindo {

class BinaryFile;

constexpr int16_t kReceiverFileVersion = 5;
constexpr int16_t kReceiverFileVersion4 = 4;
constexpr int16_t kReceiverFileVersion3 = 3;

// The language texts of the receiver file's messages.
constexpr RecordFileTexts kReceiverFileTexts{
    .save_failed = 979, .load_failed = 978, .converted = 888, .unknown_version = 804};

constexpr size_t kReceiverReservedSize = 10;
constexpr size_t kReceiverReservedBlockSize = 2048;
// The longest text the file holds: its 16-bit length is read as signed.
constexpr size_t kReceiverMaxTextBytes = 32767;

struct ReceiverRecord {
  int16_t disk_identity = 0;  // versions 4 and 5
  int16_t enabled = -1;       // version 3: always true
  int16_t type_id = 0;
  std::string name;
  std::array<TypedValue, 4> settings;
  std::string backup;        // version 3: empty
  double file_time_stamp = 0;  // version 5 only
};

// Reads the record after the version; raises 62 when the file ends early
// (inside a reserved block too) and 13 for a typed value of an unknown kind.
ReceiverRecord ReadReceiverRecord(BinaryFile& file, int16_t version);
// Writes the version 5 record after the version. A text of more than 32 767
// code-page bytes raises 6 before anything is written.
void WriteReceiverRecord(BinaryFile& file, const ReceiverRecord& record);

// One typed value in its file form.
TypedValue ReadTypedValue(BinaryFile& file);
void WriteTypedValue(BinaryFile& file, const TypedValue& value);

}  // namespace quindo
