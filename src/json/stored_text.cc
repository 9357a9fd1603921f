#include "json/stored_text.h"

#include <utility>
#include <vector>

#include "common/code_page.h"

namespace quindo {
namespace {

using NamedTexts = std::vector<std::pair<std::string, std::string>>;

std::optional<UnencodableText> FirstUnencodable(const NamedTexts& texts) {
  for (const auto& [field, text] : texts) {
    if (auto character = FirstUnencodableCharacter(text)) return UnencodableText{field, std::move(*character)};
  }
  return std::nullopt;
}

void AddIndexed(NamedTexts& texts, const std::string& field, int index, std::string text) {
  texts.emplace_back(field + "[" + std::to_string(index) + "]", std::move(text));
}

}  // namespace

std::optional<UnencodableText> FirstUnencodableText(const cProfile& p) {
  NamedTexts texts{{"Name", p.GetName()},
                   {"ParallellReceivers", p.m_ParallellReceivers},
                   {"SequentialReceivers", p.m_SequentialReceivers}};
  for (int16_t i = 0; i < cProfile::kConditions; ++i) AddIndexed(texts, "Conditions", i, p.GetCondition(i).ToText());
  texts.insert(texts.end(), {{"ExternalTagName", p.m_ExternalTagName},
                             {"ExternalFileName", p.m_ExternalFileName},
                             {"ExternalFileText", p.m_ExternalFileText}});
  return FirstUnencodable(texts);
}

std::optional<UnencodableText> FirstUnencodableText(const cReceiver& r) {
  NamedTexts texts{{"ReceiverName", r.m_ReceiverName}, {"BackupReceiver", r.m_BackupReceiver}};
  for (int16_t i = 0; i < cReceiver::kSettings; ++i) {
    const TypedValue setting = r.GetSetting(i);
    if (setting.GetKind() == TypedValue::Kind::kText) {
      texts.emplace_back("Settings[" + std::to_string(i) + "].Value", setting.RawText());
    }
  }
  return FirstUnencodable(texts);
}

std::optional<UnencodableText> FirstUnencodableText(const cAlarm& a) {
  NamedTexts texts;
  for (int16_t i = 0; i < cAlarm::kConditions; ++i) AddIndexed(texts, "Conditions", i, a.GetCondition(i));
  texts.insert(texts.end(), {{"SequenceReceivers", a.m_SequenceReceivers},
                             {"SequenceReceiverConfirm", a.m_SequenceReceiverConfirm},
                             {"ParallellReceivers", a.m_ParallellReceivers}});
  return FirstUnencodable(texts);
}

}  // namespace quindo
