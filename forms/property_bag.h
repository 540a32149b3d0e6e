#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/objects/font_desc.h"
#include "platform/objects/picture.h"

namespace forms {

using PicturePtr = std::shared_ptr<const platform::Picture>;

/// One stored setting: a 16-bit or 32-bit integer, a string (UTF-8), a Boolean, a font or a
/// picture (a null picture is "none").
using PropertyValue =
    std::variant<int16_t, int32_t, std::string, bool, platform::FontDesc, PicturePtr>;

/// The keyed settings a host keeps for one control. Keys match without regard to ASCII case;
/// entries keep the order in which they were first written, which is the order they are
/// stored in. Finding and writing a key take time logarithmic in the number of entries.
class PropertyBag {
  public:
    struct Entry {
        std::string key;
        PropertyValue value;
    };

    /// The stored value of `key`, or nullptr when the bag has none.
    const PropertyValue* Find(std::string_view key) const;

    /// Writes `key`: a key already present keeps its place and takes the new value.
    void Write(std::string_view key, PropertyValue value);

    const std::vector<Entry>& Entries() const { return entries_; }
    bool IsEmpty() const { return entries_.empty(); }

  private:
    /// Orders keys byte by byte with ASCII letters folded to lower case, so that two keys are
    /// equivalent exactly when KeysMatch takes them for the same key.
    struct KeyOrder {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    std::vector<Entry> entries_;
    std::map<std::string, size_t, KeyOrder> places_;  // each key's index in entries_
};

/// True when the two keys are equal without regard to ASCII case.
bool KeysMatch(std::string_view a, std::string_view b);

}  // namespace forms
