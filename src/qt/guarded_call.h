#pragma once
// Qt must never see an exception leave a signal or event handler: the event
// loop cannot unwind through it. Every handler that runs control code goes
// through CallGuarded, which turns a failure into a ReportError message and
// lets the event loop go on.

#include <functional>

namespace quindo {

// Runs the handler; an exception it throws is caught and its message, led by
// the event's name, is passed to ReportError.
void CallGuarded(const char* event_name, const std::function<void()>& handler) noexcept;

}  // namespace quindo
