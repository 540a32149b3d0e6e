#pragma once

#include <cstddef>
#include <list>
#include <map>
#include <utility>

namespace platform {

/// A map whose entries together cost at most `capacity`: each entry has a cost given when it
/// goes in, and the least recently used entries leave to make room for a new one. Finding or
/// inserting an entry makes it the most recently used. An entry that costs more than the whole
/// capacity is not kept.
template <typename Key, typename Value>
class LruCache {
  public:
    explicit LruCache(size_t capacity) : capacity_(capacity) {}

    /// The value under `key`, or nullptr; valid until the next Insert.
    const Value* Find(const Key& key) {
        const auto found = index_.find(key);
        if (found == index_.end()) return nullptr;
        entries_.splice(entries_.begin(), entries_, found->second);
        return &found->second->value;
    }

    /// Puts `value` under `key` (which must not be in the cache yet), dropping the least
    /// recently used entries until the costs fit.
    void Insert(const Key& key, Value value, size_t cost) {
        if (cost > capacity_) return;
        while (cost_ + cost > capacity_)
            DropLeastRecent();
        entries_.push_front({key, std::move(value), cost});
        index_.emplace(key, entries_.begin());
        cost_ += cost;
    }

    /// Drops the entry under `key`, if there is one.
    void Erase(const Key& key) {
        const auto found = index_.find(key);
        if (found == index_.end()) return;
        cost_ -= found->second->cost;
        entries_.erase(found->second);
        index_.erase(found);
    }

    /// The summed cost of the entries held.
    size_t Cost() const { return cost_; }

  private:
    struct Entry {
        Key key;
        Value value;
        size_t cost;
    };

    void DropLeastRecent() {
        const Entry& last = entries_.back();
        cost_ -= last.cost;
        index_.erase(last.key);
        entries_.pop_back();
    }

    size_t capacity_;
    size_t cost_ = 0;
    std::list<Entry> entries_;  // most recently used first
    std::map<Key, typename std::list<Entry>::iterator> index_;
};

}  // namespace platform
