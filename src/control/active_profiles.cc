// Lifecycle, properties and layout of the control.

#include "control/active_profiles.h"

#include "common/command_line.h"
#include "common/error.h"
#include "common/language.h"
#include "common/numbers.h"
#include "common/step_recorder.h"

namespace quindo {
namespace {

template <typename Child>
Child& Required(Child* child) {
  if (child == nullptr) throw Error(kObjectRequired);
  return *child;
}

// The leading number of the option's text, rounded half to even. A number
// outside the 32-bit range is reported and counts as 0, so that a mistyped
// port leaves the control usable (the host can still set the property).
int32_t PortFromCommandLine(const std::string& command_line) {
  const std::string text = GetCommandLineParameter("ServerPort", command_line);
  try {
    return RoundToInteger<int32_t>(ReadLeadingNumber(text));
  } catch (const Error& e) {
    std::string message = "/ServerPort: '" + text + "' Err:" + e.Description();
    ReportError(message);
    return 0;
  }
}

}  // namespace

ActiveProfiles::ActiveProfiles(ChildControls children, std::string command_line)
    : tree_(Required(children.tree)),
      label_(Required(children.label)),
      socket_(Required(children.socket)),
      timer_(Required(children.timer)) {
  // The design-time settings of the timer: it runs from creation.
  timer_.SetInterval(kTimerInterval);
  timer_.SetEnabled(true);

  tree_.SetPathSeparator("@");  // the separator of nested profile names
  tree_.SetIcons(IconSet{});
  tree_.Clear();
  tree_.SetVisible(false);
  label_.SetVisible(true);
  m_ServerAddress = GetCommandLineParameter("ServerAddress", command_line);
  m_ServerPort = PortFromCommandLine(command_line);
  // No connection here: the first tick of the timer makes the first attempt.
}

ActiveProfiles::~ActiveProfiles() {
  try {
    socket_.Close();
  } catch (...) {
    // Nothing can be reported from a destructor; the socket goes with us.
  }
}

std::string ActiveProfiles::ServerAddress() const { return m_ServerAddress; }
void ActiveProfiles::SetServerAddress(const std::string& new_value) { m_ServerAddress = new_value; }
int32_t ActiveProfiles::ServerPort() const { return m_ServerPort; }
void ActiveProfiles::SetServerPort(int32_t new_value) { m_ServerPort = new_value; }

void ActiveProfiles::SetMaximumFrameBody(int64_t bytes) { m_ReceiveBuffer.SetMaximumBody(bytes); }
int64_t ActiveProfiles::MaximumFrameBody() const { return m_ReceiveBuffer.MaximumBody(); }
int64_t ActiveProfiles::BufferedByteCount() const {
  return static_cast<int64_t>(m_ReceiveBuffer.Size());
}

void ActiveProfiles::UserControl_Resize(float inner_width, float inner_height) {
  StepRecorder steps;
  steps.Try([&] { tree_.Move(0, 0, inner_width, inner_height); });
  steps.Try([&] {
    const float width = label_.Width();
    const float height = label_.Height();
    label_.Move((inner_width - width) / 2.0f, (inner_height - height) / 2.0f, width, height);
  });
}

void ActiveProfiles::Command1_Click() {
  // The address of a server on this machine; the link is not touched.
  SetServerAddress("127.0.0.1");
  SetServerPort(58658);
}

}  // namespace quindo
