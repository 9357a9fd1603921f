#pragma once
// Numbered user-visible texts and the hook that receives composed error
// messages. The table starts empty (every lookup then gives the
// "*** Invalid Text (n)" form) and the hook does nothing, until a host loads
// a language file or installs a destination.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/export.h"

namespace quindo {

// The text with number n; "*** Invalid Text (n)" when no row has it,
// "*** Missing text (n)" when its row holds an empty text. A row whose start
// or length is not a valid position raises error 5.
QUINDO_EXPORT std::string GetLanguageText(int32_t number);

// Passes a composed message to the installed destination, if any.
QUINDO_EXPORT void ReportError(std::string& message);

using ReportErrorHandler = std::function<void(const std::string& message)>;
// Installs the destination of ReportError on this thread; an empty handler
// restores the default, which does nothing.
QUINDO_EXPORT void SetReportErrorHandler(ReportErrorHandler handler);

// One row of the language table: text number, 1-based start in the blob and
// length in characters (bytes of the UTF-8 blob).
struct LanguageTextRow {
  int32_t number;
  int32_t start;
  int32_t length;
};
// Replaces this thread's table.
void SetLanguageTable(std::string blob, std::vector<LanguageTextRow> rows);
// This thread's table as SetLanguageTable takes it. Each thread has a table
// of its own, so a thread that reports (a background loader) is given the
// program's texts this way.
std::pair<std::string, std::vector<LanguageTextRow>> CurrentLanguageTable();
void ClearLanguageTable();
// True when this thread's table has rows (a language file was loaded).
QUINDO_EXPORT bool HasLanguageTexts();

// Loads a UTF-8 language file, one "number<TAB>text" per line ("\t", "\n"
// and "\\" in the text stand for tab, line break and backslash; lines
// starting with "#" and blank lines are skipped). Later rows with the same
// number never win, as in the lookup. Returns the number of rows loaded;
// raises 53 for a missing file, 6 for one longer than 4 MiB (what the largest
// table of texts holds many times over) and 5 naming the line of a malformed
// one.
QUINDO_EXPORT int32_t LoadLanguageFile(const std::string& path);
// The same from the file's contents; `source` names them in the error.
QUINDO_EXPORT int32_t LoadLanguageTexts(const std::string& texts, const std::string& source);

}  // namespace quindo
