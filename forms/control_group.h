#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>

namespace forms {

/// An indexed group of controls that share one click handler, which receives the index of the
/// element clicked. `T` is any control with `SetClickHandler(std::function<void()>)`. The group
/// refers to its elements without owning them: they must outlive it.
template <typename T>
class ControlGroup {
  public:
    using IndexHandler = std::function<void(int32_t index)>;

    ControlGroup() = default;
    // The elements' handlers refer to the group, so it stays where it was made.
    ControlGroup(const ControlGroup&) = delete;
    ControlGroup& operator=(const ControlGroup&) = delete;

    /// Adds `control` as element `index` and takes over its click handler; throws
    /// std::invalid_argument when the index is already in use.
    void Add(int32_t index, T& control) {
        if (!elements_.emplace(index, &control).second)
            throw std::invalid_argument("control group index already in use");
        control.SetClickHandler([this, index] {
            if (!clickHandler_) return;
            const IndexHandler handler = clickHandler_;
            handler(index);
        });
    }

    /// The element with this index; throws std::out_of_range when there is none.
    T& operator[](int32_t index) const { return *elements_.at(index); }
    bool Contains(int32_t index) const { return elements_.contains(index); }
    size_t Count() const { return elements_.size(); }

    void OnClick(IndexHandler handler) { clickHandler_ = std::move(handler); }

  private:
    std::map<int32_t, T*> elements_;
    IndexHandler clickHandler_;
};

}  // namespace forms
