#pragma once
// An ordered collection of shared objects with unique text keys, the shape of
// the process-wide profile and receiver collections. Lookup and removal by key
// are O(1); iteration follows insertion order.

#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "common/error.h"

namespace quindo {

template <typename T>
class KeyedCollection {
 public:
  using Entry = std::pair<std::string, std::shared_ptr<T>>;

  // A key that is already present raises error 5.
  void Add(std::string key, std::shared_ptr<T> item) {
    if (index_.count(key) != 0) throw Error(kInvalidProcedureCall, "This key is already associated with an element of this collection");
    entries_.emplace_back(key, std::move(item));
    index_.emplace(std::move(key), std::prev(entries_.end()));
  }
  // A missing key raises error 5, as the platform's collection does.
  void Remove(const std::string& key) {
    const auto found = index_.find(key);
    if (found == index_.end()) throw Error(kInvalidProcedureCall);
    entries_.erase(found->second);
    index_.erase(found);
  }
  std::shared_ptr<T> Find(const std::string& key) const {
    const auto found = index_.find(key);
    return found == index_.end() ? nullptr : found->second->second;
  }
  bool Contains(const std::string& key) const { return index_.count(key) != 0; }
  size_t Count() const { return entries_.size(); }
  void Clear() {
    entries_.clear();
    index_.clear();
  }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  std::list<Entry> entries_;
  std::unordered_map<std::string, typename std::list<Entry>::iterator> index_;
};

}  // namespace quindo
