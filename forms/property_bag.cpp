#include "forms/property_bag.h"

#include <algorithm>

namespace forms {
namespace {

unsigned char Lower(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

}  // namespace

bool KeysMatch(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Lower(x) == Lower(y); });
}

bool PropertyBag::KeyOrder::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

const PropertyValue* PropertyBag::Find(std::string_view key) const {
    const auto place = places_.find(key);
    return place == places_.end() ? nullptr : &entries_[place->second].value;
}

void PropertyBag::Write(std::string_view key, PropertyValue value) {
    const auto place = places_.find(key);
    if (place != places_.end()) {
        entries_[place->second].value = std::move(value);
        return;
    }
    entries_.push_back({std::string(key), std::move(value)});
    try {
        places_.emplace(key, entries_.size() - 1);
    } catch (...) {
        entries_.pop_back();  // the index and the entries stay in step
        throw;
    }
}

}  // namespace forms
