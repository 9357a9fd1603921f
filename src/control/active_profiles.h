#pragma once
// The profile client control: keeps a TCP link to the alarm server, shows the
// server's profiles as a tree of enabled/disabled nodes, and asks the server
// to enable or disable a profile. Written against the child-control
// interfaces, so it runs without a display; every handler runs on the one
// user-interface thread.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/export.h"
#include "control/child_controls.h"
#include "protocol/frame.h"

namespace quindo {

class cProfile;

class QUINDO_EXPORT ActiveProfiles {
 public:
  // Runs UserControl_Initialize: tree prepared and hidden, label shown,
  // address and port taken from the host's command line (its argument text).
  // A missing child raises 424; a failing child's error goes to the caller.
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
  // Received bytes waiting for the rest of their frame.
  int64_t BufferedByteCount() const;

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

  // The supervisor's timings, in milliseconds.
  static constexpr int32_t kTimerInterval = 500;
  static constexpr int32_t kReconnectDelay = 10000;
  static constexpr int32_t kKeepAliveThreshold = 10000;

 private:
  // server_link.cc
  bool SendMessageToServer(int16_t message_type, std::string_view body);
  void ShowDisconnectedView();
  // receive_loop.cc
  void DispatchFrame(int16_t message_type, const std::string& body);
  // profile_tree.cc
  void OnProfileReport(const std::string& body);
  void OnProfileRemoved(const std::string& body);
  void UpdateNode(const cProfile& profile);
  // The key of the first node whose text equals the name without regard to
  // case; empty when none does.
  std::string FindNodeByName(const std::string& profile_name) const;
  void RequestEnabled(const std::string& key, bool enable);

  TreeView& tree_;
  Label& label_;
  Socket& socket_;
  Timer& timer_;

  std::string m_ServerAddress;
  int32_t m_ServerPort = 0;
  FrameBuffer m_ReceiveBuffer;
  int16_t m_TreeMouseShift = 0;
  int32_t ReconnectDelay = 0;
  int32_t KeepAliveTime = 0;
};

}  // namespace quindo
