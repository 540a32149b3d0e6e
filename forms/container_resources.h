#pragma once

#include <cstdint>
#include <map>

#include "forms/property_bag.h"

namespace forms {

/// The program's own resources that hosted controls may load: cursors by their group
/// identifier (the pointing hand is group 101). The program fills the table at start-up;
/// every control site of the program reads it.
class ResourceTable {
  public:
    /// Registers (or replaces) cursor group `id`.
    void AddCursor(int32_t id, PicturePtr cursor);
    /// Cursor group `id`; null when the program has none under it.
    PicturePtr Cursor(int32_t id) const;

  private:
    std::map<int32_t, PicturePtr> cursors_;
};

}  // namespace forms
