#include <algorithm>

#include "command.h"

namespace quindo::records {

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = [] {
    std::vector<Command> all = ProfileAndReceiverCommands();
    const auto add = [&all](std::vector<Command> more) {
      for (Command& command : more) all.push_back(std::move(command));
    };
    add(ProfileActiveCommands());
    add(AgendaCommands());
#ifdef QUINDO_RECORDS_RENDER
    add({ProfileRenderCommand()});
#endif
    add(CalendarCommands());
    add(HolidayCommands());
    add(ImportIcsCommands());
#ifdef QUINDO_RECORDS_RENDER
    add({CalendarRenderCommand()});
#endif
    add(AlarmCommands());
    add(CheckCommands());
    // The commands of one record kind together, kinds in order of appearance.
    std::vector<std::string> kinds;
    for (const Command& command : all) {
      const std::string kind = command.words.substr(0, command.words.find(' '));
      if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) kinds.push_back(kind);
    }
    std::stable_sort(all.begin(), all.end(), [&kinds](const Command& a, const Command& b) {
      const auto rank = [&kinds](const Command& c) {
        return std::find(kinds.begin(), kinds.end(), c.words.substr(0, c.words.find(' '))) - kinds.begin();
      };
      return rank(a) < rank(b);
    });
    return all;
  }();
  return commands;
}

std::string UsageLine(const Command& command) {
  return "quindo-records " + command.words + (command.synopsis.empty() ? "" : " " + command.synopsis);
}

}  // namespace quindo::records
