#pragma once
// The profile client control: keeps a TCP link to the alarm server, shows the
// server's profiles as a tree of enabled/disabled nodes, and asks the server
// to enable or disable a profile. Written against the child-control
// interfaces, so it runs without a display; every handler runs on the one
// user-interface thread.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

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

  // What the operator is told beyond the label and the icons; none of it
  // changes what goes to the server or what the name queries answer.
  //
  // Why the link is down and when the next attempt comes, such as
  // "Connection refused (127.0.0.1:47001); next attempt in 7 s"; empty while
  // the link is up.
  std::string LinkStatusText() const;
  // The requests that still wait for the server's report of their profile:
  // "Waiting for the server: Night shift", and for those that have waited
  // kRequestAnswerTime "The server has not answered for 10 s: Night shift";
  // empty when none waits.
  std::string RequestStatusText() const;
  bool IsRequestPending(const std::string& key) const;
  // The keys of every node whose text equals the name without regard to
  // case, in tree order; the name queries act on the first.
  std::vector<std::string> KeysOfProfilesNamed(const std::string& profile_name) const;
  // Profile reports and removals received since creation.
  int64_t ProfileMessageCount() const { return profile_messages_; }

  // For an operator who switches servers: closes the link and shows the
  // disconnected view at once, and the next tick makes an attempt with the
  // address and port as they are then.
  void ReconnectNow();

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
  // Ctrl+Space (key code 32, shift state 2) toggles the selected node as a
  // Ctrl-click does; other keys do nothing here.
  void TreeView_Profiles_KeyDown(int16_t key_code, int16_t shift);

  // The supervisor's timings, in milliseconds.
  static constexpr int32_t kTimerInterval = 500;
  static constexpr int32_t kReconnectDelay = 10000;
  static constexpr int32_t kKeepAliveThreshold = 10000;
  // How long a request waits for its report before the operator is told.
  static constexpr int32_t kRequestAnswerTime = 10000;

 private:
  // server_link.cc
  bool SendMessageToServer(int16_t message_type, std::string_view body);
  void ShowDisconnectedView();
  // link_status.cc: the reason of the last failure, with the target; a
  // cause adds its description ("what: description").
  void NoteLinkFailure(const std::string& what, const std::exception* cause = nullptr);
  // pending_requests.cc
  void NoteRequestSent(const std::string& key);
  void NoteProfileAnswered(const std::string& key);
  void ForgetPendingRequests();
  void AgePendingRequests(int32_t interval);
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
  void ToggleSelectedNode();

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

  struct PendingRequest {
    std::string key;
    int32_t waited_ms = 0;
  };
  std::vector<PendingRequest> pending_;  // in the order requested
  std::string attempt_target_;           // "host:port" of the last attempt
  std::string link_failure_;             // empty after a connect
  int64_t profile_messages_ = 0;
};

}  // namespace quindo
