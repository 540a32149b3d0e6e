#include "platform/display/xsettings.h"

#include <utility>

namespace platform {
namespace {

constexpr uint8_t kMsbFirst = 1;

enum SettingType : uint32_t { kInteger = 0, kString = 1, kColour = 2 };

/// The fewest bytes a setting takes: type, unused byte and name length, an empty name, the
/// serial and a 4-byte value. A count of settings is checked against it before any is read.
constexpr size_t kSmallestSetting = 12;

/// Reads a property's fields in order, in its byte order. A read past the end fails, and so
/// does every read after it.
class Fields {
  public:
    Fields(std::span<const uint8_t> bytes, bool msbFirst) : bytes_(bytes), msbFirst_(msbFirst) {}

    bool Ok() const { return ok_; }
    size_t Left() const { return bytes_.size() - pos_; }

    std::span<const uint8_t> Take(size_t count) {
        if (!ok_ || count > Left()) {
            ok_ = false;
            return {};
        }
        const auto taken = bytes_.subspan(pos_, count);
        pos_ += count;
        return taken;
    }
    /// An unsigned number of `size` bytes (1, 2 or 4); 0 past the end.
    uint32_t Number(size_t size) {
        uint32_t value = 0;
        const auto bytes = Take(size);
        for (size_t i = 0; i < bytes.size(); ++i)
            value |= uint32_t{bytes[i]} << 8 * (msbFirst_ ? bytes.size() - 1 - i : i);
        return value;
    }
    /// `length` bytes of text, then the padding to a multiple of 4 bytes.
    std::string Padded(size_t length) {
        const auto text = Take(length);
        Take((4 - length % 4) % 4);
        return {text.begin(), text.end()};
    }

  private:
    std::span<const uint8_t> bytes_;
    bool msbFirst_;
    size_t pos_ = 0;
    bool ok_ = true;
};

std::optional<XSettingValue> ValueOf(uint32_t type, Fields& fields) {
    switch (type) {
        case kInteger:
            return static_cast<int32_t>(fields.Number(4));
        case kString:
            return fields.Padded(fields.Number(4));
        case kColour: {
            XSettingColour colour;
            for (uint16_t* channel : {&colour.red, &colour.green, &colour.blue, &colour.alpha})
                *channel = static_cast<uint16_t>(fields.Number(2));
            return colour;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<XSettings> ParseXSettings(std::span<const uint8_t> property) {
    if (property.empty() || property[0] > kMsbFirst) return std::nullopt;
    Fields fields(property, property[0] == kMsbFirst);
    fields.Take(4);    // byte order, unused
    fields.Number(4);  // serial
    const uint32_t count = fields.Number(4);
    if (!fields.Ok() || count > fields.Left() / kSmallestSetting) return std::nullopt;
    XSettings settings;
    settings.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t type = fields.Number(1);
        fields.Take(1);  // unused
        std::string name = fields.Padded(fields.Number(2));
        fields.Number(4);  // serial of the last change
        std::optional<XSettingValue> value = ValueOf(type, fields);
        if (!value || !fields.Ok() || !settings.emplace(std::move(name), *std::move(value)).second)
            return std::nullopt;
    }
    return settings;
}

}  // namespace platform
