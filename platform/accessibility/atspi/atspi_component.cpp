// The Component interface: where an object is on the screen, what lies at a point of it, and
// the focus. Coordinates come in the screen's pixels, relative to the screen (0), the object's
// window (1) or its parent (2); any other kind is refused.
#include <limits>
#include <optional>

#include "platform/accessibility/atspi/atspi_export.h"

namespace platform::atspi {
namespace {

AtspiExport& Self(void* userdata) {
    return *static_cast<AtspiExport*>(userdata);
}

int FindOnScreen(sd_bus*, const char* path, const char*, void* userdata, void** found,
                 sd_bus_error*) {
    const std::optional<AccessibleId> id = Self(userdata).IdOfPath(path);
    if (!id || *id == kApplicationId) return 0;
    *found = userdata;
    return 1;
}

constexpr uint32_t kCoordScreen = 0;
constexpr uint32_t kCoordWindow = 1;
constexpr uint32_t kCoordParent = 2;
constexpr uint32_t kLayerWidget = 3;
constexpr uint32_t kLayerWindow = 7;

/// Where coordinates of `kind` start on the screen, for `node`; nullopt for an unknown kind.
std::optional<Point> OriginOf(const AccessibleTree& tree, const AccessibleNode& node,
                              uint32_t kind) {
    if (kind == kCoordScreen) return Point{0, 0};
    if (kind != kCoordWindow && kind != kCoordParent) return std::nullopt;
    const AccessibleNode* from = &node;
    if (kind == kCoordParent) {
        from = tree.Find(node.parent);
    } else {
        while (from->parent != kApplicationId)
            from = tree.Find(from->parent);
    }
    if (from->id == kApplicationId) return Point{0, 0};
    return Point{from->extents.left, from->extents.top};
}

int RefuseKind(sd_bus_error* error) {
    return Sd().sd_bus_error_set(error, SD_BUS_ERROR_INVALID_ARGS, "unknown kind of coordinates");
}

/// A point given relative to `origin`, on the screen; nullopt when it lies outside the range of
/// screen coordinates.
std::optional<Point> ScreenPoint(Point origin, int32_t x, int32_t y) {
    const int64_t sx = int64_t{origin.x} + x;
    const int64_t sy = int64_t{origin.y} + y;
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    if (sx < kMin || sx > kMax || sy < kMin || sy > kMax) return std::nullopt;
    return Point{static_cast<int32_t>(sx), static_cast<int32_t>(sy)};
}

struct PointRequest {
    int32_t x = 0;
    int32_t y = 0;
    uint32_t kind = 0;
};

/// Reads "iiu" and finds the point on the screen; the error reply's result when refused.
std::optional<Point> ReadPoint(sd_bus_message* m, AtspiExport& self, sd_bus_error* error,
                               int& result) {
    PointRequest request;
    result = Sd().sd_bus_message_read(m, "iiu", &request.x, &request.y, &request.kind);
    if (result < 0) return std::nullopt;
    const std::optional<Point> origin = OriginOf(self.Tree(), self.NodeOf(m), request.kind);
    if (!origin) {
        result = RefuseKind(error);
        return std::nullopt;
    }
    const std::optional<Point> point = ScreenPoint(*origin, request.x, request.y);
    if (!point)
        result = Sd().sd_bus_error_set(error, SD_BUS_ERROR_INVALID_ARGS, "point out of range");
    return point;
}

int Contains(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    AtspiExport& self = Self(userdata);
    int result = 0;
    const std::optional<Point> point = ReadPoint(m, self, error, result);
    if (!point) return result;
    return Sd().sd_bus_reply_method_return(m, "b", self.NodeOf(m).extents.Contains(*point) ? 1 : 0);
}

int GetAccessibleAtPoint(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    AtspiExport& self = Self(userdata);
    int result = 0;
    const std::optional<Point> point = ReadPoint(m, self, error, result);
    if (!point) return result;
    const AccessibleNode* found = self.Tree().At(*point, self.NodeOf(m).id);
    sd_bus_message* raw = nullptr;
    if (const int r = Sd().sd_bus_message_new_method_return(m, &raw); r < 0) return r;
    const MessagePtr reply(raw);
    const int r = found ? self.AppendReference(raw, found->id)
                        : Sd().sd_bus_message_append(raw, "(so)", "", kNullPath);
    return r < 0 ? r : Sd().sd_bus_send(nullptr, raw, nullptr);
}

/// Reads the coordinate kind "u" and gives the object's extents in it; the error reply's result
/// when refused.
std::optional<Rect> ReadExtents(sd_bus_message* m, AtspiExport& self, sd_bus_error* error,
                                int& result) {
    uint32_t kind = 0;
    result = Sd().sd_bus_message_read(m, "u", &kind);
    if (result < 0) return std::nullopt;
    const AccessibleNode& node = self.NodeOf(m);
    const std::optional<Point> origin = OriginOf(self.Tree(), node, kind);
    if (!origin) {
        result = RefuseKind(error);
        return std::nullopt;
    }
    const Rect& e = node.extents;
    return Rect{e.left - origin->x, e.top - origin->y, e.right - origin->x, e.bottom - origin->y};
}

int GetExtents(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    int result = 0;
    const std::optional<Rect> e = ReadExtents(m, Self(userdata), error, result);
    if (!e) return result;
    return Sd().sd_bus_reply_method_return(m, "(iiii)", e->left, e->top, e->Width(), e->Height());
}

int GetPosition(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    int result = 0;
    const std::optional<Rect> e = ReadExtents(m, Self(userdata), error, result);
    if (!e) return result;
    return Sd().sd_bus_reply_method_return(m, "ii", e->left, e->top);
}

int GetSize(sd_bus_message* m, void* userdata, sd_bus_error*) {
    const Rect& e = Self(userdata).NodeOf(m).extents;
    return Sd().sd_bus_reply_method_return(m, "ii", e.Width(), e.Height());
}

int GetLayer(sd_bus_message* m, void* userdata, sd_bus_error*) {
    const bool window = Self(userdata).NodeOf(m).parent == kApplicationId;
    return Sd().sd_bus_reply_method_return(m, "u", window ? kLayerWindow : kLayerWidget);
}

int GetMDIZOrder(sd_bus_message* m, void*, sd_bus_error*) {
    return Sd().sd_bus_reply_method_return(m, "n", int16_t{0});
}

int GrabFocus(sd_bus_message* m, void* userdata, sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    return Sd().sd_bus_reply_method_return(m, "b",
                                           self.Service().GrabFocus(self.NodeOf(m).id) ? 1 : 0);
}

int GetAlpha(sd_bus_message* m, void*, sd_bus_error*) {
    return Sd().sd_bus_reply_method_return(m, "d", 1.0);
}

const sd_bus_vtable kComponent[] = {
    TAVIK_SD_BUS_VTABLE_START,
    SD_BUS_METHOD("Contains", "iiu", "b", Contains, 0),
    SD_BUS_METHOD("GetAccessibleAtPoint", "iiu", "(so)", GetAccessibleAtPoint, 0),
    SD_BUS_METHOD("GetExtents", "u", "(iiii)", GetExtents, 0),
    SD_BUS_METHOD("GetPosition", "u", "ii", GetPosition, 0),
    SD_BUS_METHOD("GetSize", "", "ii", GetSize, 0),
    SD_BUS_METHOD("GetLayer", "", "u", GetLayer, 0),
    SD_BUS_METHOD("GetMDIZOrder", "", "n", GetMDIZOrder, 0),
    SD_BUS_METHOD("GrabFocus", "", "b", GrabFocus, 0),
    SD_BUS_METHOD("GetAlpha", "", "d", GetAlpha, 0),
    SD_BUS_VTABLE_END,
};

}  // namespace

AtspiInterface ComponentInterface() {
    return {"org.a11y.atspi.Component", kComponent, FindOnScreen};
}

}  // namespace platform::atspi
