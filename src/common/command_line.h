#pragma once
// Options of the host process's command line, written as /Name:value.

#include <string>
#include <string_view>

#include "common/export.h"

namespace quindo {

// The value written after "/", the name and ":" in the command line (its
// argument text, without the program's path). The name is matched without
// regard to case at its first occurrence; the value keeps its case. An
// unquoted value ends at the next "/" and is trimmed of spaces; double quotes
// enclose a value that may hold spaces and slashes, and text collected before
// an opening quote is dropped. An absent option gives the empty text.
QUINDO_EXPORT std::string GetCommandLineParameter(std::string_view name, std::string_view command_line);

}  // namespace quindo
