#include "forms/property_bag.h"

#include <algorithm>

namespace forms {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool KeysMatch(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Lower(x) == Lower(y); });
}

const PropertyValue* PropertyBag::Find(std::string_view key) const {
    for (const Entry& entry : entries_) {
        if (KeysMatch(entry.key, key)) return &entry.value;
    }
    return nullptr;
}

void PropertyBag::Write(std::string_view key, PropertyValue value) {
    for (Entry& entry : entries_) {
        if (KeysMatch(entry.key, key)) {
            entry.value = std::move(value);
            return;
        }
    }
    entries_.push_back({std::string(key), std::move(value)});
}

}  // namespace forms
