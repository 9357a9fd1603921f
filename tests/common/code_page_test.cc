#include "common/code_page.h"

#include <gtest/gtest.h>

namespace quindo {
namespace {

TEST(CodePageTest, EveryByteSurvivesTextAndBackAndEachPageEncodesOnlyItsOwnCharacters) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(TextToBytes(BytesToText(all)), all);
  SetActiveCodePage(CodePage::kLatin1);
  EXPECT_EQ(TextToBytes(BytesToText(all)), all);
  EXPECT_EQ(BytesToText("\x80"), "\u0080");
  EXPECT_EQ(TextToBytes("€Ā"), "??");
  EXPECT_EQ(FirstUnencodableCharacter("ÿ€"), "€");  // in 1252, not in Latin-1
  SetActiveCodePage(CodePage::kWindows1252);
  EXPECT_EQ(BytesToText("\x80"), "€");
  EXPECT_EQ(TextToBytes("Grüße Œ"), "Gr\xFC\xDF" "e \x8C");
  EXPECT_EQ(BytesToText("\x81\x9D"), "\u0081\u009D");  // undefined bytes keep their value
  EXPECT_EQ(TextToBytes("Ā Ω क ✓ 😀"), "? ? ? ? ?");
  // The first character that would become a question mark is named.
  EXPECT_EQ(FirstUnencodableCharacter("Grüße € ?"), std::nullopt);
  EXPECT_EQ(FirstUnencodableCharacter("日本語€"), "日");
  EXPECT_EQ(FirstUnencodableCharacter("ab\xC3"), "\xC3");
  EXPECT_TRUE(CanEncode("ÿ€"));
}

TEST(CodePageTest, MalformedUtf8GivesOneQuestionMarkPerBadByteAndStaysInUpperCase) {
  EXPECT_EQ(TextToBytes("a\xC3"), "a?");            // cut-off sequence
  EXPECT_EQ(TextToBytes("\xE2\x82z"), "??z");       // cut-off three-byte sequence
  EXPECT_EQ(TextToBytes("\xC0\xAF"), "??");         // overlong "/"
  EXPECT_EQ(TextToBytes("\xE0\x80\xAF"), "???");     // overlong "/" in three bytes
  EXPECT_EQ(TextToBytes("\xED\xA0\x80"), "???");    // surrogate
  EXPECT_EQ(TextToBytes("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
  EXPECT_EQ(TextToBytes("\x80x"), "?x");            // stray continuation byte
  // Upper-casing keeps bad bytes as they are and changes only the letters after them.
  EXPECT_EQ(UpperCase("a\xC3z\xE2\x82 \xC3\xBF\xC5\x93\xC3\x9F"), "A\xC3Z\xE2\x82 \xC5\xB8\xC5\x92\xC3\x9F");
}

TEST(CodePageTest, UpperCaseCoversEveryScriptWithSimpleMappings) {
  EXPECT_EQ(UpperCase("łódź żółć"), "ŁÓDŹ ŻÓŁĆ");                 // Latin Extended-A, every other point
  EXPECT_EQ(UpperCase("привет ёж"), "ПРИВЕТ ЁЖ");                  // Cyrillic
  EXPECT_EQ(UpperCase("αβγ ως ά"), "ΑΒΓ ΩΣ Ά");                     // Greek, final sigma
  EXPECT_EQ(UpperCase("ǆ ǅ ⓐ ａ"), "Ǆ Ǆ Ⓐ Ａ");                      // titlecase, circled, full width
  EXPECT_EQ(UpperCase("\U00010428"), "\U00010400");                // four-byte letter (Deseret)
  EXPECT_EQ(UpperCase("ÀÉ ß 中 ١ \u0800"), "ÀÉ ß 中 ١ \u0800");     // upper already, no mapping, no case
  EXPECT_EQ(UpperCase("ı"), "I");                                  // the byte length may change
}

}  // namespace
}  // namespace quindo
