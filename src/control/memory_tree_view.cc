#include "control/memory_tree_view.h"

#include "common/error.h"

namespace quindo {

void MemoryTreeView::Clear() {
  nodes_.clear();
  index_.clear();
  selected_.reset();
  visible_.reset();
}

void MemoryTreeView::Add(const std::string& key, const std::string& text) {
  if (index_.count(key) != 0) throw Error(kInvalidProcedureCall, "Key is not unique in collection");
  nodes_.push_back(TreeNode{key, text, 0});
  index_.emplace(key, std::prev(nodes_.end()));
}

void MemoryTreeView::Remove(const std::string& key) {
  const auto found = index_.find(key);
  if (found == index_.end()) throw Error(kInvalidProcedureCall, "Element not found");
  nodes_.erase(found->second);
  index_.erase(found);
  if (selected_ == key) selected_.reset();
  if (visible_ == key) visible_.reset();
}

TreeNode MemoryTreeView::Node(const std::string& key) const { return *Find(key); }

void MemoryTreeView::SetImage(const std::string& key, int32_t image) { Find(key)->image = image; }

void MemoryTreeView::ForEachNode(const std::function<bool(const TreeNode&)>& visit) const {
  for (const TreeNode& node : nodes_) {
    if (!visit(node)) return;
  }
}

void MemoryTreeView::Select(const std::string& key) {
  Find(key);
  selected_ = key;
}

void MemoryTreeView::EnsureVisible(const std::string& key) {
  Find(key);
  visible_ = key;
}

void MemoryTreeView::SetPending(const std::string& key, bool pending) {
  const auto found = index_.find(key);
  if (found != index_.end()) found->second->pending = pending;
}

std::vector<TreeNode> MemoryTreeView::Nodes() const {
  return std::vector<TreeNode>(nodes_.begin(), nodes_.end());
}

std::list<TreeNode>::iterator MemoryTreeView::Find(const std::string& key) {
  const auto found = index_.find(key);
  if (found == index_.end()) throw Error(kInvalidProcedureCall, "Element not found");
  return found->second;
}

std::list<TreeNode>::const_iterator MemoryTreeView::Find(const std::string& key) const {
  const auto found = index_.find(key);
  if (found == index_.end()) throw Error(kInvalidProcedureCall, "Element not found");
  return found->second;
}

}  // namespace quindo
