// The profile tree: nodes added and moved by the server's reports, removed by
// its removals, and the enable/disable requests made by name or by Ctrl-click.

#include <string_view>

#include "common/code_page.h"
#include "common/numbers.h"
#include "common/step_recorder.h"
#include "control/active_profiles.h"
#include "model/profile/profile.h"
#include "protocol/field_codec.h"
#include "protocol/frame.h"
#include "protocol/profile_message.h"

namespace quindo {
namespace {

constexpr int32_t kIconEnabled = 1;
constexpr int32_t kIconDisabled = 2;
constexpr int16_t kShiftCtrl = 2;  // Shift 1, Ctrl 2, Alt 4, added together
constexpr int16_t kKeySpace = 32;

std::string KeyOf(int64_t number) {
  std::string key(1, 'K');
  key += std::to_string(number);
  return key;
}

// The profile number a key carries: the leading number after the "K".
int32_t NumberOfKey(const std::string& key) {
  return RoundToInteger<int32_t>(ReadLeadingNumber(std::string_view(key).substr(key.empty() ? 0 : 1)));
}

}  // namespace

void ActiveProfiles::OnProfileReport(const std::string& body) {
  // Decoding errors go to the receive loop, which closes the link; the tree
  // is then not touched.
  cProfile profile;
  int32_t cursor = 0;
  ExtractProfile(profile, body, cursor);
  UpdateNode(profile);
}

void ActiveProfiles::UpdateNode(const cProfile& profile) {
  // The node is replaced, not edited: every report moves its profile to the
  // end of the tree, and a selection follows it.
  const std::string key = KeyOf(profile.m_DiskIdentity);
  NoteProfileAnswered(key);
  StepRecorder steps;
  bool selected = false;
  steps.Try([&] { selected = tree_.SelectedKey() == key; });
  steps.Try([&] {
    if (tree_.Contains(key)) tree_.Remove(key);
  });
  steps.Try([&] { tree_.Add(key, profile.GetName()); });
  steps.Try([&] { tree_.SetImage(key, profile.m_Enabled != 0 ? kIconEnabled : kIconDisabled); });
  if (selected) {
    steps.Try([&] { tree_.Select(key); });
    steps.Try([&] { tree_.EnsureVisible(key); });
  }
}

void ActiveProfiles::OnProfileRemoved(const std::string& body) {
  int32_t cursor = 0;
  const std::string key = KeyOf(ExtractLong(body, cursor));  // a short body closes the link
  NoteProfileAnswered(key);
  StepRecorder steps;
  steps.Try([&] {
    if (tree_.Contains(key)) tree_.Remove(key);
  });
}

std::string ActiveProfiles::FindNodeByName(const std::string& profile_name) const {
  const std::string wanted = UpperCase(profile_name);
  std::string key;
  tree_.ForEachNode([&](const TreeNode& node) {
    if (UpperCase(node.text) != wanted) return true;
    key = node.key;
    return false;
  });
  return key;
}

std::vector<std::string> ActiveProfiles::KeysOfProfilesNamed(const std::string& profile_name) const {
  const std::string wanted = UpperCase(profile_name);
  std::vector<std::string> keys;
  tree_.ForEachNode([&](const TreeNode& node) {
    if (UpperCase(node.text) == wanted) keys.push_back(node.key);
    return true;
  });
  return keys;
}

void ActiveProfiles::RequestEnabled(const std::string& key, bool enable) {
  // Only a request: the node changes when the server reports the profile
  // again. A negative number cannot be encoded and raises before anything
  // is sent; with the link down nothing is sent and nothing is said.
  if (SendMessageToServer(enable ? kEnableProfile : kDisableProfile, ComposeLong(NumberOfKey(key)))) {
    NoteRequestSent(key);
  }
}

void ActiveProfiles::ProfileEnableOrDisable(const std::string& profile_name, int32_t enabled) {
  const std::string key = FindNodeByName(profile_name);
  if (key.empty()) return;
  RequestEnabled(key, enabled != 0);
}

int32_t ActiveProfiles::IsProfileEnabled(const std::string& profile_name) const {
  const std::string key = FindNodeByName(profile_name);
  if (key.empty()) return 0;
  return tree_.Node(key).image == kIconEnabled ? 1 : 0;
}

void ActiveProfiles::TreeView_Profiles_MouseDown(int16_t /*button*/, int16_t shift, float /*x*/,
                                                 float /*y*/) {
  m_TreeMouseShift = shift;
}

void ActiveProfiles::TreeView_Profiles_Click() {
  if (m_TreeMouseShift != kShiftCtrl) return;  // a plain click, or Shift or Alt as well
  ToggleSelectedNode();
}

void ActiveProfiles::TreeView_Profiles_KeyDown(int16_t key_code, int16_t shift) {
  // The keyboard's Ctrl-click: Space alone or with other keys does nothing,
  // as a plain click does nothing.
  if (key_code != kKeySpace || shift != kShiftCtrl) return;
  ToggleSelectedNode();
}

void ActiveProfiles::ToggleSelectedNode() {
  const std::optional<std::string> selected = tree_.SelectedKey();
  if (!selected) return;
  // The request flips what the node shows.
  RequestEnabled(*selected, tree_.Node(*selected).image != kIconEnabled);
}

}  // namespace quindo
