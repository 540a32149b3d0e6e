#include "forms/container_resources.h"

#include <utility>

namespace forms {

void ResourceTable::AddCursor(int32_t id, PicturePtr cursor) {
    cursors_[id] = std::move(cursor);
}

PicturePtr ResourceTable::Cursor(int32_t id) const {
    const auto it = cursors_.find(id);
    return it == cursors_.end() ? nullptr : it->second;
}

}  // namespace forms
