#include "qt/day_type_names.h"

#include <string>

#include "common/language.h"
#include "common/settings.h"
#include "qt/built_in_texts.h"

namespace quindo {
namespace {

constexpr int kMondayText = 611;
constexpr int kSpecialDayTypeText = 618;
constexpr int kWeekdays = 7;
constexpr int kShortNameCharacters = 3;

// The text, or empty when the table has none (the lookup then gives its
// "*** Invalid Text (n)" or "*** Missing text (n)" form).
std::string TextOrEmpty(int number) {
  std::string text = GetLanguageText(number);
  return text.starts_with("*** ") ? std::string() : text;
}

// The first n characters of a UTF-8 text.
std::string FirstCharacters(const std::string& utf8, int n) {
  size_t end = 0;
  for (int seen = 0; end < utf8.size(); ++end) {
    if ((static_cast<unsigned char>(utf8[end]) & 0xC0) != 0x80 && seen++ == n) break;
  }
  return utf8.substr(0, end);
}

}  // namespace

void FillDayTypeNamesFromLanguage() {
  UseBuiltInTextsUnlessLoaded();
  auto& names = DayTypeNames();
  auto& short_names = DayTypeShortNames();
  for (int d = 0; d < kWeekdays; ++d) {
    const std::string name = TextOrEmpty(kMondayText + d);
    if (names[d].empty()) names[d] = name;
    if (short_names[d].empty()) short_names[d] = FirstCharacters(name, kShortNameCharacters);
  }
  const std::string special = TextOrEmpty(kSpecialDayTypeText);
  if (special.empty()) return;
  for (int d = kWeekdays; d < kDayTypeCount; ++d) {
    if (names[d].empty()) names[d] = special + " " + std::to_string(d - kWeekdays + 1);
  }
}

}  // namespace quindo
