#include "model/receiver/receiver_record.h"

#include <cstring>

#include "common/binary_file.h"
#include "common/code_page.h"
#include "common/error.h"

namespace quindo {
namespace {

using Kind = TypedValue::Kind;

template <typename T>
T ReadRaw(BinaryFile& file) {
  const std::string bytes = file.ReadBytes(sizeof(T));
  T value;
  std::memcpy(&value, bytes.data(), sizeof(T));
  return value;
}

template <typename T>
void WriteRaw(BinaryFile& file, T value) {
  file.WriteBytes(std::string_view(reinterpret_cast<const char*>(&value), sizeof(T)));
}

void CheckTextFits(std::string_view utf8) {
  if (TextToBytes(utf8).size() > kReceiverMaxTextBytes) throw Error(kOverflow);
}

void CheckRecordFits(const ReceiverRecord& record) {
  CheckTextFits(record.name);
  CheckTextFits(record.backup);
  for (const TypedValue& setting : record.settings) {
    if (setting.IsText()) CheckTextFits(setting.RawText());
  }
}

}  // namespace

TypedValue ReadTypedValue(BinaryFile& file) {
  const int16_t kind = file.ReadInt16();
  switch (static_cast<Kind>(kind)) {
    case Kind::kEmpty: return {};
    case Kind::kNull: return TypedValue::Null();
    case Kind::kInteger: return TypedValue::Integer(file.ReadInt16());
    case Kind::kLong: return TypedValue::Long(file.ReadInt32());
    case Kind::kSingle: return TypedValue::Single(ReadRaw<float>(file));
    case Kind::kDouble: return TypedValue::Double(file.ReadDouble());
    case Kind::kCurrency: return TypedValue::CurrencyFromScaled(ReadRaw<int64_t>(file));
    case Kind::kDate: return TypedValue::Date(file.ReadDouble());
    case Kind::kText: return TypedValue::Text(file.ReadText());
    case Kind::kFlag: return TypedValue::Flag(file.ReadInt16() != 0);
    case Kind::kByte: return TypedValue::Byte(ReadRaw<uint8_t>(file));
  }
  throw Error(kTypeMismatch, "Unknown value kind " + std::to_string(kind));
}

void WriteTypedValue(BinaryFile& file, const TypedValue& value) {
  file.WriteInt16(static_cast<int16_t>(value.GetKind()));
  switch (value.GetKind()) {
    case Kind::kEmpty:
    case Kind::kNull: return;
    case Kind::kInteger:
    case Kind::kFlag: file.WriteInt16(static_cast<int16_t>(value.RawInteger())); return;
    case Kind::kLong: file.WriteInt32(static_cast<int32_t>(value.RawInteger())); return;
    case Kind::kSingle: WriteRaw(file, static_cast<float>(value.RawFloat())); return;
    case Kind::kDouble:
    case Kind::kDate: file.WriteDouble(value.RawFloat()); return;
    case Kind::kCurrency: WriteRaw(file, value.RawInteger()); return;
    case Kind::kText:
      CheckTextFits(value.RawText());
      file.WriteText(value.RawText());
      return;
    case Kind::kByte: WriteRaw(file, static_cast<uint8_t>(value.RawInteger())); return;
  }
}

ReceiverRecord ReadReceiverRecord(BinaryFile& file, int16_t version) {
  ReceiverRecord record;
  if (version == kReceiverFileVersion3) {
    file.ReadInt16();  // ignored
    record.type_id = file.ReadInt16();
    record.name = file.ReadText();
    for (TypedValue& setting : record.settings) setting = ReadTypedValue(file);
    return record;
  }
  record.disk_identity = file.ReadInt16();
  record.enabled = file.ReadInt16();
  record.type_id = file.ReadInt16();
  record.name = file.ReadText();
  for (TypedValue& setting : record.settings) setting = ReadTypedValue(file);
  file.ReadBytes(kReceiverReservedSize);
  record.backup = file.ReadText();
  if (version == kReceiverFileVersion4) {
    for (int i = 0; i < 4; ++i) file.ReadText();
  } else {
    record.file_time_stamp = file.ReadDouble();
    // Read, not skipped: a file cut inside the block is incomplete.
    file.ReadBytes(kReceiverReservedBlockSize);
  }
  return record;
}

void WriteReceiverRecord(BinaryFile& file, const ReceiverRecord& record) {
  CheckRecordFits(record);
  file.WriteInt16(record.disk_identity);
  file.WriteInt16(record.enabled);
  file.WriteInt16(record.type_id);
  file.WriteText(record.name);
  for (const TypedValue& setting : record.settings) WriteTypedValue(file, setting);
  file.WriteZeros(kReceiverReservedSize);
  file.WriteText(record.backup);
  file.WriteDouble(record.file_time_stamp);
  file.WriteZeros(kReceiverReservedBlockSize);
}

}  // namespace quindo
