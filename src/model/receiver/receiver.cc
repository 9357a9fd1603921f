#include "model/receiver/receiver.h"

#include <algorithm>
#include <cctype>

#include "common/dates.h"
#include "common/error.h"
#include "common/language.h"
#include "common/numbers.h"
#include "common/settings.h"
#include "common/settings_file.h"
#include "common/step_recorder.h"

namespace quindo {
namespace {

void CheckIndex(int16_t index) {
  if (index < 0 || index >= cReceiver::kSettings) throw Error(kSubscriptOutOfRange);
}

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// A text that reads whole as a number: the number the platform's Val reads
// at its start (exponents, "&H" and "&O" forms included) with nothing but
// blanks after it. The interval is then that number, so the test and the
// reading never disagree.
bool TextReadsAsNumber(std::string_view text) {
  const ValNumber number = ReadValNumber(text);
  if (number.length == 0) return false;
  return text.find_first_not_of(" \t\r\n", number.length) == std::string_view::npos;
}

// Numeric as the keep-alive rule means it: a number (a date is not one) or a
// text that reads as one.
bool IsNumericSetting(const TypedValue& value) {
  if (value.IsText()) return TextReadsAsNumber(value.RawText());
  return value.IsNumeric() && value.GetKind() != TypedValue::Kind::kDate;
}

// A value read as a number from its text form, as Val reads it, rounded to
// the nearest whole number (halves to even). A number's text form may have
// an exponent ("1.5E-05", a single's "1.234568E+08").
int32_t WholeNumberOf(const std::string& text) { return RoundToInteger<int32_t>(ReadValNumber(text).value); }

// Type templates are named as the server's tools store them, with "\"
// between folders; here, as every file name, with "/".
std::string TemplatePath(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

}  // namespace

TypedValue cReceiver::SetReceiverTypeId(int16_t type_id) {
  DeriveFromType(type_id);
  return {};
}

std::optional<cReceiver::TemplateFailure> cReceiver::DeriveFromType(int16_t type_id) {
  m_ReceiverTypeId = type_id;
  m_ReceiverTypeIndex = -1;
  const std::string padded = "0000" + std::to_string(type_id);
  m_ReceiverTypeName = "(" + GetLanguageText(1088) + ": " + padded.substr(padded.size() - 4) + ")";

  // A count beyond the table's rows cannot name rows that exist.
  const int rows = std::clamp<int>(NumberOfReceiverTypes(), 0, kReceiverTypeRows);
  const ReceiverType* row = nullptr;
  for (int i = 0; i < rows; ++i) {
    if (ReceiverTypes()[i].type_id == type_id) {
      row = &ReceiverTypes()[i];
      m_ReceiverTypeIndex = static_cast<int16_t>(i);
      m_ReceiverTypeName = row->type_name;
      break;
    }
  }
  if (row == nullptr) return std::nullopt;

  m_KeepAliveInterval = 0;
  // Deriving the interval never fails: a step that cannot be done is skipped.
  StepRecorder ignored;
  std::optional<TemplateFailure> unreadable;
  const std::string protocol = UpperAscii(row->protocol);
  if (protocol == "ILM" || protocol == "ILMTCP") {
    ignored.Try([&] {
      if (IsNumericSetting(m_Settings[1])) m_KeepAliveInterval = WholeNumberOf(m_Settings[1].ToText());
    });
  } else if (protocol == "T940SI") {
    // A missing file, section or key reads as an empty text: interval 0.
    const std::string file_name = TemplatePath(row->template_file);
    std::string settings;
    StepRecorder read;
    if (!read.Try([&] { settings = ReadSettingsFile(file_name); })) {
      unreadable = TemplateFailure{DataDirectory() + file_name, read.LastDescription()};
    }
    ignored.Try([&] {
      m_KeepAliveInterval = WholeNumberOf(FindSettingsValue(settings, "ReceiverTypeSettings", "T11", ""));
    });
  }
  m_LastKeepAlive = m_KeepAliveInterval > 0 ? Now() : 0;
  return unreadable;
}

TypedValue cReceiver::GetSetting(int16_t index) const {
  CheckIndex(index);
  return m_Settings[index];
}

void cReceiver::SaveSetting(int16_t index, const TypedValue& new_value) {
  CheckIndex(index);
  m_Settings[index] = new_value;
}

void cReceiver::CopyFrom(const cReceiver& receiver) {
  if (&receiver == this) return;
  m_ReceiverName = receiver.m_ReceiverName;
  m_Enabled = receiver.m_Enabled;
  m_BackupReceiver = receiver.m_BackupReceiver;
  for (int16_t i = 0; i < kSettings; ++i) m_Settings[i] = receiver.GetSetting(i);
  SetReceiverTypeId(receiver.GetReceiverTypeId());
  m_LastKeepAlive = receiver.m_LastKeepAlive;
}

void cReceiver::RememberOriginalSettings() {
  m_Original_ReceiverTypeId = m_ReceiverTypeId;
  m_Original_ReceiverName = m_ReceiverName;
  m_Original_Enabled = m_Enabled;
  m_Original_BackupReceiver = m_BackupReceiver;
  m_Original_Settings = m_Settings;
}

bool cReceiver::HasChangedSinceLastLoadFromDisk() const {
  if (m_ReceiverName != m_Original_ReceiverName || m_ReceiverTypeId != m_Original_ReceiverTypeId ||
      m_BackupReceiver != m_Original_BackupReceiver || m_Enabled != m_Original_Enabled) {
    return true;
  }
  for (int i = 0; i < kSettings; ++i) {
    const TypedValue& now = m_Settings[i];
    const TypedValue& before = m_Original_Settings[i];
    // A null equals nothing under the comparison, not even a null; a setting
    // that became or stopped being null is still a change worth saving.
    if (now.IsNull() || before.IsNull()) {
      if (now.IsNull() != before.IsNull()) return true;
    } else if (!now.Equals(before)) {
      return true;
    }
  }
  return false;
}

}  // namespace quindo
