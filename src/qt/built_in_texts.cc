#include "qt/built_in_texts.h"

#include "common/language.h"

namespace quindo {
namespace {

// The shipped language file as it was at configure time.
constexpr char kEnglishTexts[] =
#include "english_texts.inc"
    ;

}  // namespace

void UseBuiltInTextsUnlessLoaded() {
  if (HasLanguageTexts()) return;
  LoadLanguageTexts(kEnglishTexts, "built-in English texts");
}

}  // namespace quindo
