#include "common/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <unordered_map>

namespace quindo {
namespace {

thread_local CodePage active_page = CodePage::kWindows1252;

// Windows-1252 0x80..0x9F. The five bytes the code page leaves undefined
// (81, 8D, 8F, 90, 9D) map to the C1 control of the same value, as the
// platform's own conversion does, so that they survive a round trip.
constexpr std::array<char32_t, 32> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const std::unordered_map<char32_t, unsigned char>& Reverse1252() {
  static const auto* table = [] {
    auto* map = new std::unordered_map<char32_t, unsigned char>();
    for (int b = 0; b < 256; ++b) {
      const char32_t cp = (b >= 0x80 && b < 0xA0) ? kHigh1252[b - 0x80] : static_cast<char32_t>(b);
      (*map)[cp] = static_cast<unsigned char>(b);
    }
    return map;
  }();
  return *table;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when the
// bytes there are not a well-formed sequence.
size_t DecodeUtf8(std::string_view text, size_t i, char32_t* cp) {
  const auto lead = static_cast<unsigned char>(text[i]);
  size_t length;
  char32_t value;
  if (lead < 0x80) { *cp = lead; return 1; }
  if (lead >= 0xC2 && lead <= 0xDF) { length = 2; value = lead & 0x1F; }
  else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; value = lead & 0x0F; }
  else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; value = lead & 0x07; }
  else return 0;
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    const auto c = static_cast<unsigned char>(text[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    value = (value << 6) | (c & 0x3F);
  }
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  if (overlong || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *cp = value;
  return length;
}

// Walks UTF-8 text: each well-formed sequence goes to on_code_point as its
// code point, each byte that starts none to on_bad_byte on its own, so that
// one bad byte costs one replacement and never swallows the bytes after it.
template <typename OnCodePoint, typename OnBadByte>
void ForEachCodePoint(std::string_view text, OnCodePoint&& on_code_point, OnBadByte&& on_bad_byte) {
  for (size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const size_t length = DecodeUtf8(text, i, &cp);
    if (length == 0) {
      on_bad_byte(text[i++]);
      continue;
    }
    on_code_point(cp);
    i += length;
  }
}

// The simple upper-case mapping of every code point, in runs sorted by their
// first code point (generated from the C library's Unicode tables).
struct UpperCaseRun {
  char32_t first;
  char32_t last;
  int32_t offset;
  uint8_t stride;
};
constexpr UpperCaseRun kUpperCaseRuns[] = {
#include "common/upper_case_table.inc"
};

char32_t UpperOf(char32_t c) {
  if (c < 0x80) return c >= U'a' && c <= U'z' ? c - 0x20 : c;
  const auto* run = std::upper_bound(std::begin(kUpperCaseRuns), std::end(kUpperCaseRuns), c,
                                     [](char32_t cp, const UpperCaseRun& r) { return cp < r.first; });
  if (run == std::begin(kUpperCaseRuns)) return c;
  --run;
  if (c > run->last || (c - run->first) % run->stride != 0) return c;
  return static_cast<char32_t>(static_cast<int32_t>(c) + run->offset);
}

// The code-page byte of a code point, or none when the page lacks it.
std::optional<unsigned char> ByteOfCodePoint(char32_t cp) {
  if (active_page == CodePage::kLatin1) {
    if (cp < 0x100) return static_cast<unsigned char>(cp);
    return std::nullopt;
  }
  if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) return static_cast<unsigned char>(cp);
  const auto& reverse = Reverse1252();
  const auto found = reverse.find(cp);
  if (found == reverse.end()) return std::nullopt;
  return found->second;
}

}  // namespace

std::string UpperCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCodePoint(
      text, [&out](char32_t cp) { AppendUtf8(out, UpperOf(cp)); }, [&out](char byte) { out += byte; });
  return out;
}

CodePage ActiveCodePage() { return active_page; }
void SetActiveCodePage(CodePage page) { active_page = page; }

char32_t CodePointOfByte(unsigned char byte) {
  if (active_page == CodePage::kWindows1252 && byte >= 0x80 && byte < 0xA0) return kHigh1252[byte - 0x80];
  return byte;
}

std::string BytesToText(std::string_view bytes) {
  // ASCII is the same in UTF-8 and in both code pages: most record texts
  // are copied as they are.
  size_t ascii = 0;
  while (ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80) ++ascii;
  if (ascii == bytes.size()) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size());
  for (const char b : bytes) AppendUtf8(out, CodePointOfByte(static_cast<unsigned char>(b)));
  return out;
}

std::string TextToBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCodePoint(
      text, [&out](char32_t cp) { out += static_cast<char>(ByteOfCodePoint(cp).value_or('?')); },
      [&out](char) { out += '?'; });
  return out;
}

std::optional<std::string> FirstUnencodableCharacter(std::string_view text) {
  std::optional<std::string> first;
  ForEachCodePoint(
      text,
      [&first](char32_t cp) {
        if (!first && !ByteOfCodePoint(cp)) AppendUtf8(first.emplace(), cp);
      },
      [&first](char byte) {
        if (!first) first.emplace(1, byte);
      });
  return first;
}

}  // namespace quindo
