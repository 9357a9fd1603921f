#pragma once
// A receiver and the receiver type table as JSON.
//
// Receiver: the member names without "m_": DiskIdentity, Enabled,
// ReceiverTypeId, ReceiverName, BackupReceiver, Settings (4 x {"Kind": k,
// "Value": v} with the file's kind numbers), FileDateTimeStamp, and the
// derived ReceiverTypeIndex, ReceiverTypeName and KeepAliveInterval (written,
// accepted and ignored on input, like FileDateTimeStamp).
//
// Setting values by kind: 0 empty and 1 null have no Value; 2, 3 and 17
// whole numbers of 16 bits, 32 bits and 0..255; 4 and 5 numbers; 6 currency
// in currency units (stored as round(v x 10 000)); 7 a date as days since
// 1899-12-30; 8 a text; 11 a flag (true, false, -1 or 0; written -1 or 0).
//
// Type table: an array of {"TypeId": n, "TypeName": "...", "Protocol":
// "...", "TemplateFile": "..."}, at most 300 rows, loaded in order.

#include <nlohmann/json.hpp>
#include <string>

#include "common/export.h"
#include "json/json_fields.h"  // JsonInputError
#include "model/receiver/receiver.h"

namespace quindo {

QUINDO_EXPORT nlohmann::ordered_json ReceiverToJson(const cReceiver& receiver);

// Fills a new receiver from a JSON object; `where` is the object's path in
// its document for the messages (empty at the top). Missing fields keep the
// values of a new receiver; an unknown field, a value of the wrong type or
// outside its kind's range, a flag other than true, false, -1 or 0, a
// DiskIdentity outside -1..9999 or a kind outside the list raises
// JsonInputError naming the field.
QUINDO_EXPORT void ReceiverFromJson(const nlohmann::json& json, cReceiver& receiver, const std::string& where = {});

// Replaces ReceiverTypes and NumberOfReceiverTypes with the rows of `json`;
// raises JsonInputError (and changes nothing) for more than 300 rows or a bad
// row.
QUINDO_EXPORT void LoadReceiverTypesFromJson(const nlohmann::json& json);

// Reads a type table file (at most 1 MiB) and loads it as
// LoadReceiverTypesFromJson does. A file that cannot be read (missing, a
// directory, too long) or holds bad JSON raises JsonInputError naming it.
QUINDO_EXPORT void LoadReceiverTypesFile(const std::string& path);

}  // namespace quindo
