#pragma once

#include <cstdint>
#include <stdexcept>

#include "forms/property_bag.h"

namespace forms {

/// The pointer numbers a control asks for. Any other number shows the arrow.
constexpr int16_t kPointerDefault = 0;  // the parent's pointer
constexpr int16_t kPointerArrow = 1;
constexpr int16_t kPointerCustom = 99;  // the pointer image; the parent's pointer without one

/// Thrown by SetMouseIcon for a picture that cannot serve as a pointer (only icon and cursor
/// pictures can); the pointer stays as it was.
class PointerImageError : public std::runtime_error {
    using runtime_error::runtime_error;
};

/// Thrown when the program's resources have no entry under the identifier asked for.
class ResourceError : public std::runtime_error {
    using runtime_error::runtime_error;
};

/// The pointer: whether it is over the control, and what it shows there.
class ControlPointer {
  public:
    virtual ~ControlPointer() = default;

    /// Whether the control's window is the one under the pointer now: a point outside its
    /// shape, or where another window covers it, is not over it.
    virtual bool PointerIsOver() const = 0;
    virtual int16_t MousePointer() const = 0;
    virtual void SetMousePointer(int16_t pointer) = 0;
    virtual PicturePtr MouseIcon() const = 0;
    /// A null picture removes the image. Throws PointerImageError for a bitmap picture.
    virtual void SetMouseIcon(PicturePtr picture) = 0;
    /// The program's cursor resource `id` as a picture. Throws ResourceError when it has none.
    virtual PicturePtr LoadCursorResource(int32_t id) const = 0;
};

}  // namespace forms
