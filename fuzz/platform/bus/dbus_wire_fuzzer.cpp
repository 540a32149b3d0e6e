// Feeds arbitrary bytes, as the session bus might send them, to the D-Bus wire reader: it must
// never read outside the input, a message it takes must lie inside what its length says, and
// each reading of a body must stay inside the body.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "platform/bus/dbus_wire.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform::bus;
    const std::span<const uint8_t> bytes(data, size);
    const std::optional<size_t> length = MessageLength(bytes);
    if (!length || *length == 0 || *length > size) return 0;
    Check(*length <= kMaxProtocolMessageBytes);
    const std::optional<IncomingMessage> message = ReadMessage(bytes.first(*length));
    if (!message) return 0;
    Check(message->body.data() >= data &&
          message->body.data() + message->body.size() <= data + *length);
    ReadBooleanVariant(*message);
    ReadString(*message);
    ReadStrings(*message);
    if (const std::optional<ChangedBooleans> changed = ReadChangedBooleans(*message))
        Check(changed->values.size() <= message->body.size());
    ReadUint32Variant(*message);
    ReadNestedUint32Variant(*message);
    if (const std::optional<SettingChange> change = ReadSettingChange(*message))
        Check(change->nameSpace.size() + change->key.size() <= message->body.size());
    return 0;
}
