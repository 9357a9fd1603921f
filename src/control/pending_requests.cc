// Requests waiting for the server: an enable or disable request changes no
// node, so until the server reports the profile again the operator would see
// nothing happen. The control remembers what it sent, marks those nodes and
// says how long they have waited. Nothing here reaches the server.

#include <algorithm>

#include "control/active_profiles.h"

namespace quindo {

void ActiveProfiles::NoteRequestSent(const std::string& key) {
  const auto same = [&](const PendingRequest& request) { return request.key == key; };
  auto found = std::find_if(pending_.begin(), pending_.end(), same);
  if (found == pending_.end()) {
    pending_.push_back(PendingRequest{key, 0});
  } else {
    found->waited_ms = 0;  // a new request waits afresh
  }
  try {
    tree_.SetPending(key, true);
  } catch (...) {
    // Only the mark is lost; the request went out.
  }
}

void ActiveProfiles::NoteProfileAnswered(const std::string& key) {
  // The node is replaced or removed right after, which drops its mark.
  std::erase_if(pending_, [&](const PendingRequest& request) { return request.key == key; });
}

void ActiveProfiles::ForgetPendingRequests() { pending_.clear(); }

void ActiveProfiles::AgePendingRequests(int32_t interval) {
  if (interval <= 0) return;
  for (PendingRequest& request : pending_) {
    request.waited_ms = std::min(kRequestAnswerTime, request.waited_ms + std::min(interval, kRequestAnswerTime));
  }
}

bool ActiveProfiles::IsRequestPending(const std::string& key) const {
  return std::any_of(pending_.begin(), pending_.end(),
                     [&](const PendingRequest& request) { return request.key == key; });
}

std::string ActiveProfiles::RequestStatusText() const {
  std::string waiting;
  std::string unanswered;
  for (const PendingRequest& request : pending_) {
    std::string name;
    try {
      name = ShownName(tree_.Node(request.key));
    } catch (...) {
      continue;  // the tree lost the node without a report
    }
    std::string& list = request.waited_ms >= kRequestAnswerTime ? unanswered : waiting;
    list += (list.empty() ? "" : ", ") + name;
  }
  std::string text;
  if (!unanswered.empty()) {
    text = "The server has not answered for " + std::to_string(kRequestAnswerTime / 1000) + " s: " + unanswered;
  }
  if (!waiting.empty()) text += (text.empty() ? "" : "; ") + ("Waiting for the server: " + waiting);
  return text;
}

}  // namespace quindo
