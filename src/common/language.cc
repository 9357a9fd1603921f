#include "common/language.h"

#include <sstream>

#include "common/error.h"
#include "common/file_system.h"

namespace quindo {
namespace {

struct LanguageTable {
  std::string blob;
  std::vector<LanguageTextRow> rows;
};

LanguageTable& Table() {
  thread_local LanguageTable table;
  return table;
}

ReportErrorHandler& Handler() {
  thread_local ReportErrorHandler handler;
  return handler;
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      const char c = text[++i];
      out += c == 't' ? '\t' : c == 'n' ? '\n' : c;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

std::string GetLanguageText(int32_t number) {
  const LanguageTable& table = Table();
  for (const LanguageTextRow& row : table.rows) {
    if (row.number != number) continue;
    if (row.start <= 0 || row.length < 0) throw Error(kInvalidProcedureCall);
    const auto start = static_cast<size_t>(row.start - 1);
    std::string text = start < table.blob.size() ? table.blob.substr(start, static_cast<size_t>(row.length)) : "";
    if (text.empty()) return "*** Missing text (" + std::to_string(number) + ")";
    return text;
  }
  return "*** Invalid Text (" + std::to_string(number) + ")";
}

void ReportError(std::string& message) {
  if (Handler()) Handler()(message);
}

void SetReportErrorHandler(ReportErrorHandler handler) { Handler() = std::move(handler); }

void SetLanguageTable(std::string blob, std::vector<LanguageTextRow> rows) {
  Table() = LanguageTable{std::move(blob), std::move(rows)};
}

std::pair<std::string, std::vector<LanguageTextRow>> CurrentLanguageTable() {
  return {Table().blob, Table().rows};
}

void ClearLanguageTable() { Table() = LanguageTable{}; }

bool HasLanguageTexts() { return !Table().rows.empty(); }

int32_t LoadLanguageTexts(const std::string& texts, const std::string& source) {
  std::istringstream in(texts);
  LanguageTable table;
  std::string line;
  int32_t line_number = 0;
  while (std::getline(in, line)) {
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    size_t used = 0;
    long long number = 0;
    try {
      number = std::stoll(line.substr(0, tab), &used);
    } catch (const std::exception&) {
      used = std::string::npos;  // no number at all, not even an empty one
    }
    if (tab == std::string::npos || used != tab || number < INT32_MIN || number > INT32_MAX) {
      throw Error(kInvalidProcedureCall, source + ":" + std::to_string(line_number) +
                                             ": expected number<TAB>text");
    }
    const std::string text = Unescape(line.substr(tab + 1));
    table.rows.push_back({static_cast<int32_t>(number), static_cast<int32_t>(table.blob.size() + 1),
                          static_cast<int32_t>(text.size())});
    table.blob += text;
  }
  const auto count = static_cast<int32_t>(table.rows.size());
  Table() = std::move(table);
  return count;
}

int32_t LoadLanguageFile(const std::string& path) {
  constexpr size_t kLongestLanguageFile = 4 << 20;
  return LoadLanguageTexts(ReadWholeFile(path, kLongestLanguageFile), path);
}

}  // namespace quindo
