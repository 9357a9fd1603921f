#pragma once
// A receiver and the receiver type table as JSON, for the records tool.
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
// 1899-12-30; 8 a text; 11 a flag, -1 or 0.
//
// Type table: an array of {"TypeId": n, "TypeName": "...", "Protocol":
// "...", "TemplateFile": "..."}, at most 300 rows, loaded in order.

#include <nlohmann/json.hpp>

#include "model/receiver/receiver.h"
#include "profile_json.h"  // InputError

namespace quindo::records {

nlohmann::ordered_json ReceiverToJson(const cReceiver& receiver);

// Fills a new receiver from JSON. Missing fields keep the values of a new
// receiver; an unknown field, a value of the wrong type or outside its
// kind's range, or a kind outside the list raises InputError.
void ReceiverFromJson(const nlohmann::json& json, cReceiver& receiver);

// Replaces ReceiverTypes and NumberOfReceiverTypes with the rows of `json`;
// raises InputError (and changes nothing) for more than 300 rows or a bad row.
void LoadReceiverTypesFromJson(const nlohmann::json& json);

}  // namespace quindo::records
