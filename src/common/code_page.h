#pragma once
// The one converter between the library's texts (UTF-8) and the single-byte
// code-page bytes that travel on the wire and sit in record files. Every byte
// 0..255 maps to one character and back, so bytes -> text -> bytes is exact;
// a character that the code page lacks becomes "?".

#include <string>
#include <string_view>

namespace quindo {

enum class CodePage {
  kWindows1252,  // the default
  kLatin1,       // ISO 8859-1: byte b is U+00b
};

// The code page used by BytesToText and TextToBytes on this thread.
CodePage ActiveCodePage();
void SetActiveCodePage(CodePage page);

// Code-page bytes to UTF-8 text.
std::string BytesToText(std::string_view bytes);
// UTF-8 text to code-page bytes; malformed UTF-8 gives one "?" per bad byte.
std::string TextToBytes(std::string_view text);

// Upper case of a UTF-8 text: every letter with a simple one-to-one Unicode
// upper-case mapping (Latin, Greek, Cyrillic, ...) is replaced by it; letters
// without one (the German sharp s) and malformed bytes stay as they are. The
// result may differ from the text in byte length ("ı" -> "I").
std::string UpperCase(std::string_view text);

// The Unicode code point a byte stands for in the active code page.
char32_t CodePointOfByte(unsigned char byte);

}  // namespace quindo
