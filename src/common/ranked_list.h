#pragma once
// A list of entries with unique text keys, kept in the order they were
// appended, in which an entry's row is found from its key and an entry from
// its row in O(log n), and removing any entry or appending one costs O(log n)
// amortised. The shape of a view's rows when every update moves a row to the
// end: a plain array pays O(n) to close the gap of each removal.
//
// Every append takes the next sequence number; a Fenwick tree over the
// sequence numbers counts the live entries before a given one (its row) and
// finds the entry with a given count before it (the entry at a row). When the
// numbers run out the live entries are renumbered from 0, with room for at
// least as many appends again.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quindo {

template <typename Value>
class RankedList {
 public:
  struct Entry {
    std::string key;
    Value value;
  };

  size_t Size() const { return index_.size(); }
  bool Contains(const std::string& key) const { return index_.count(key) != 0; }

  // Appends after every entry; false, and nothing changes, when the key is
  // already present.
  bool Append(std::string key, Value value) {
    if (index_.count(key) != 0) return false;
    if (slots_.size() == capacity_) Renumber();
    const size_t sequence = slots_.size();
    index_.emplace(key, sequence);
    slots_.push_back(Entry{std::move(key), std::move(value)});
    Add(sequence, +1);
    return true;
  }

  // False when the key is absent.
  bool Remove(const std::string& key) {
    const auto found = index_.find(key);
    if (found == index_.end()) return false;
    const size_t sequence = found->second;
    index_.erase(found);
    slots_[sequence].reset();
    Add(sequence, -1);
    return true;
  }

  void Clear() {
    index_.clear();
    slots_.clear();
    capacity_ = 0;
    tree_.clear();
  }

  // The entry's 0-based row, or nothing for an absent key.
  std::optional<size_t> RowOf(const std::string& key) const {
    const auto found = index_.find(key);
    if (found == index_.end()) return std::nullopt;
    return CountBefore(found->second);
  }

  Entry* Find(const std::string& key) {
    const auto found = index_.find(key);
    return found == index_.end() ? nullptr : &*slots_[found->second];
  }
  const Entry* Find(const std::string& key) const { return const_cast<RankedList*>(this)->Find(key); }

  // The entry at the row; nullptr when the row is not below Size().
  Entry* At(size_t row) {
    if (row >= Size()) return nullptr;
    return &*slots_[SequenceAt(row)];
  }
  const Entry* At(size_t row) const { return const_cast<RankedList*>(this)->At(row); }

  // Visits the entries in order until the visitor returns false.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const std::optional<Entry>& slot : slots_) {
      if (slot && !visit(*slot)) return;
    }
  }

 private:
  // tree_[i] (1-based) holds the number of live slots in the i & -i slots
  // ending at slot i - 1.
  void Add(size_t sequence, int32_t delta) {
    for (size_t i = sequence + 1; i <= capacity_; i += i & (~i + 1)) tree_[i] += delta;
  }
  // Live slots before the sequence number.
  size_t CountBefore(size_t sequence) const {
    size_t count = 0;
    for (size_t i = sequence; i > 0; i -= i & (~i + 1)) count += static_cast<size_t>(tree_[i]);
    return count;
  }
  // The sequence number of the live slot with `row` live slots before it.
  size_t SequenceAt(size_t row) const {
    size_t position = 0;  // slots [0, position) hold at most `row` live ones
    for (size_t step = capacity_; step > 0; step /= 2) {
      const size_t next = position + step;
      if (next <= capacity_ && static_cast<size_t>(tree_[next]) <= row) {
        position = next;
        row -= static_cast<size_t>(tree_[next]);
      }
    }
    return position;
  }

  // Packs the live entries at sequence numbers 0..n-1, doubling the capacity
  // (a power of two) unless that leaves at least half of it free.
  void Renumber() {
    std::vector<std::optional<Entry>> live;
    live.reserve(Size());
    for (std::optional<Entry>& slot : slots_) {
      if (slot) live.push_back(std::move(slot));
    }
    slots_ = std::move(live);
    size_t capacity = capacity_ == 0 ? kFirstCapacity : capacity_;
    while (slots_.size() > capacity / 2) capacity *= 2;
    capacity_ = capacity;
    slots_.reserve(capacity_);
    tree_.assign(capacity_ + 1, 0);
    for (size_t sequence = 0; sequence < slots_.size(); ++sequence) {
      index_[slots_[sequence]->key] = sequence;
      tree_[sequence + 1] += 1;
    }
    for (size_t i = 1; i <= capacity_; ++i) {
      const size_t parent = i + (i & (~i + 1));
      if (parent <= capacity_) tree_[parent] += tree_[i];
    }
  }

  static constexpr size_t kFirstCapacity = 64;

  std::vector<std::optional<Entry>> slots_;  // by sequence number; empty once removed
  std::unordered_map<std::string, size_t> index_;  // key -> sequence number
  std::vector<int32_t> tree_;
  size_t capacity_ = 0;
};

}  // namespace quindo
