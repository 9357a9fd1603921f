#pragma once
// The one converter between the library's texts (UTF-8) and the single-byte
// code-page bytes that travel on the wire and sit in record files. Every byte
// 0..255 maps to one character and back, so bytes -> text -> bytes is exact;
// a character that the code page lacks becomes "?".

#include <optional>
#include <string>
#include <string_view>
#include "common/export.h"

namespace quindo {

enum class CodePage {
  kWindows1252,  // the default
  kLatin1,       // ISO 8859-1: byte b is U+00b
};

// The code page used by BytesToText and TextToBytes on this thread.
QUINDO_EXPORT CodePage ActiveCodePage();
QUINDO_EXPORT void SetActiveCodePage(CodePage page);

// Code-page bytes to UTF-8 text.
QUINDO_EXPORT std::string BytesToText(std::string_view bytes);
// UTF-8 text to code-page bytes; malformed UTF-8 gives one "?" per bad byte.
QUINDO_EXPORT std::string TextToBytes(std::string_view text);

// The first character of a UTF-8 text that the active code page cannot hold
// (TextToBytes would store "?" for it), as UTF-8; a malformed byte is given
// as itself. Empty when every character fits, so that callers can refuse a
// text instead of losing part of it.
QUINDO_EXPORT std::optional<std::string> FirstUnencodableCharacter(std::string_view text);
QUINDO_EXPORT inline bool CanEncode(std::string_view text) { return !FirstUnencodableCharacter(text); }

// Upper case of a UTF-8 text: every letter with a simple one-to-one Unicode
// upper-case mapping (Latin, Greek, Cyrillic, ...) is replaced by it; letters
// without one (the German sharp s) and malformed bytes stay as they are. The
// result may differ from the text in byte length ("ı" -> "I").
QUINDO_EXPORT std::string UpperCase(std::string_view text);

// The Unicode code point a byte stands for in the active code page.
QUINDO_EXPORT char32_t CodePointOfByte(unsigned char byte);

}  // namespace quindo
