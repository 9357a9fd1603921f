#pragma once
// quindo-records profile render: a profile's week chart as a PNG file, drawn
// by the view's own painting code onto an image, without a display.

#include <string>
#include <vector>

namespace quindo::records {

// The usage lines of the command, for the program's --help.
extern const char* const kRenderUsage;

// Runs "profile render ID --png FILE [--data-dir DIR] [--language FILE]
// [--view-day-types]" (args as after the program name). load_language loads
// the named language file, or the shipped one for an empty name. Returns the
// exit status: 0 written, 1 not loaded or not written, 2 bad usage.
int RunProfileRender(const std::vector<std::string>& args, void (*load_language)(const std::string& named));

}  // namespace quindo::records
