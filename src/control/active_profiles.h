#pragma once
// The profile client control: keeps a TCP link to the alarm server, shows the
// server's profiles as a tree of enabled/disabled nodes, and asks the server
// to enable or disable a profile. Written against the child-control
// interfaces, so it runs without a display; every handler runs on the one
// user-interface thread.

#include <cstdint>
#include <string>

#include "control/child_controls.h"

namespace quindo {

class ActiveProfiles {
 public:
  // Runs UserControl_Initialize: tree prepared and hidden, label shown,
  // address and port taken from the host's command line (its argument text).
  ActiveProfiles(ChildControls children, std::string command_line);
  ~ActiveProfiles();  // UserControl_Terminate
  ActiveProfiles(const ActiveProfiles&) = delete;
  ActiveProfiles& operator=(const ActiveProfiles&) = delete;

  // Public members.
  std::string ServerAddress() const;
  void SetServerAddress(const std::string& new_value);
  int32_t ServerPort() const;
  void SetServerPort(int32_t new_value);
  // Sends 220 (Enabled non-zero) or 221 for the first node whose text equals
  // the name without regard to case. A node whose number cannot be encoded
  // raises error 5 and sends nothing.
  void ProfileEnableOrDisable(const std::string& profile_name, int32_t enabled);
  int32_t IsProfileEnabled(const std::string& profile_name) const;  // 1 or 0
  int32_t IsConnectedToServer() const;                              // 1 or 0

  // Largest frame body accepted from the server; a longer one closes the link.
  void SetMaximumFrameBody(int64_t bytes);
  int64_t MaximumFrameBody() const;

  // Events, delivered by the host framework and the child controls.
  void UserControl_Resize(float inner_width, float inner_height);
  void Command1_Click();
  void Timer_Reconnect_Timer();
  void Winsock_Quindo_Connect();
  void Winsock_Quindo_Close();
  void Winsock_Quindo_Error();
  void Winsock_Quindo_DataArrival();
  void TreeView_Profiles_MouseDown(int16_t button, int16_t shift, float x, float y);
  void TreeView_Profiles_Click();

 private:
  // Implementation members are declared by the implementation (see
  // active_profiles.cc and the files beside it).
  struct State;
  State* state_;
};

}  // namespace quindo
