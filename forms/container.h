#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

#include "forms/property_bag.h"
#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"
#include "platform/objects/font_desc.h"
#include "platform/ui/window.h"

namespace forms {

/// One argument of an event a control raises. The host's handler receives the arguments by
/// reference and may change them; the control reads them back after the handler returns.
using EventArgument = std::variant<int16_t, int32_t, float, bool, std::string>;

/// What the host tells its controls about itself. `userMode` is true while the program runs
/// and false while the form is being designed; `displayAsDefault` marks the control that is
/// the form's default button.
struct AmbientProperties {
    std::string displayName;
    platform::FontDesc font;
    bool userMode = true;
    bool displayAsDefault = false;

    friend bool operator==(const AmbientProperties&, const AmbientProperties&) = default;
};

/// The colours a window currently draws with, plain.
struct ParentColours {
    platform::Color background = 0;
    platform::Color text = 0;
};

/// Thrown by SetMouseIcon for a picture that cannot serve as a pointer (only icon and cursor
/// pictures can); the pointer stays as it was.
class PointerImageError : public std::runtime_error {
    using runtime_error::runtime_error;
};

/// Thrown when a stored setting cannot be converted to the type its reader asks for, or an
/// integer does not fit it.
class PropertyTypeError : public std::runtime_error {
    using runtime_error::runtime_error;
};

/// Thrown when the program's resources have no entry under the identifier asked for.
class ResourceError : public std::runtime_error {
    using runtime_error::runtime_error;
};

/// The services a hosted control may ask of its container, and all it knows of it. Positions
/// and the height are in the container's units, twips (15 per pixel); the control itself
/// draws in pixels of its own client area.
class ControlContainer {
  public:
    virtual ~ControlContainer() = default;

    // The control's window.
    virtual platform::WindowHandle Hwnd() const = 0;
    /// The window's shape in its client coordinates, which clips what it shows and where it
    /// takes the pointer; nullopt for the whole rectangle.
    virtual void SetShape(std::optional<platform::Region> shape) = 0;
    /// Whether the window is the one under the pointer now: a point outside its shape, or
    /// where another window covers it, is not over it.
    virtual bool PointerIsOver() const = 0;
    /// A disabled window receives no input.
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    /// The font the window owns.
    virtual const platform::FontDesc& Font() const = 0;
    virtual void SetFont(const platform::FontDesc& font) = 0;
    /// The pointer over the window: 0 default, 1 arrow, 99 the custom pointer image.
    virtual int16_t MousePointer() const = 0;
    virtual void SetMousePointer(int16_t pointer) = 0;
    virtual PicturePtr MouseIcon() const = 0;
    /// A null picture removes the image. Throws PointerImageError for a bitmap picture.
    virtual void SetMouseIcon(PicturePtr picture) = 0;
    /// The characters that activate the control through its access-key call.
    virtual void SetAccessKeys(std::string keys) = 0;

    // Drawing.
    /// The persistent image of the client area.
    virtual platform::Surface& DrawingSurface() = 0;
    /// Fills the drawing surface with the background colour and marks the window for
    /// repainting.
    virtual void ClearSurface() = 0;
    /// Puts what the drawing surface holds on the screen now.
    virtual void RepaintNow() = 0;
    /// The drawing surface's resolution, at which HIMETRIC lengths (0.01 mm) become pixels.
    virtual int32_t PixelsPerInch() const = 0;

    // The parent window.
    /// The parent's current drawing colours; nullopt without a parent.
    virtual std::optional<ParentColours> ParentDrawingColours() const = 0;
    /// Copies the parent's drawing surface at `area` (its client pixels) to the origin of
    /// `into`; without a parent nothing changes.
    virtual void CopyParentArea(const platform::Rect& area, platform::Surface& into) const = 0;

    // Place in the container.
    virtual int32_t Left() const = 0;
    virtual int32_t Top() const = 0;
    virtual int32_t Height() const = 0;
    /// Resizes the window to the height (twips, rounded to whole pixels); the control's resize
    /// call follows when the size changed.
    virtual void SetHeight(int32_t height) = 0;
    /// The container's units of a length in pixels.
    virtual int32_t PixelsToContainer(int32_t pixels) const = 0;

    /// Runs the window messages that are pending now (posted work, queued keystrokes, due
    /// timers, repainting) and returns; handlers of other windows may run meanwhile.
    virtual void DispatchPending() = 0;

    virtual const AmbientProperties& Ambient() const = 0;
    /// Tells the container that the setting stored under `key` changed.
    virtual void PropertyChanged(std::string_view key) = 0;

    // The property bag being loaded from or saved to.
    /// The stored value of `key`, or `defaultValue` when the bag has none.
    virtual PropertyValue ReadProperty(std::string_view key, PropertyValue defaultValue) = 0;
    virtual void WriteProperty(std::string_view key, PropertyValue value) = 0;

    /// Hands event `number` (`name`) to the host's handler, which may change the arguments.
    /// Returns false when the handler destroyed the control: its caller must then return at
    /// once without touching any member.
    virtual bool RaiseEvent(int32_t number, std::string_view name,
                            std::span<EventArgument> args) = 0;

    /// Queues keystrokes ("{Tab}", "+{Tab}") and returns without waiting for them.
    virtual void SendKeys(std::string_view keys) = 0;
    /// The program's cursor resource `id` as a picture. Throws ResourceError when it has none.
    virtual PicturePtr LoadCursorResource(int32_t id) const = 0;

    // The child timer: while enabled with a positive interval it ticks every `interval` ms.
    virtual bool TimerEnabled() const = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;
    virtual int32_t TimerInterval() const = 0;
    virtual void SetTimerInterval(int32_t intervalMs) = 0;

    /// ReadProperty converted to the type of the control's setting: 16-bit and 32-bit integers
    /// and Booleans convert into one another (a Boolean is -1 or 0, a nonzero integer is
    /// true); strings, fonts and pictures are read only as themselves. Throws
    /// PropertyTypeError naming the key when the value does not convert or does not fit.
    /// The type is named at the call: Read<int32_t>("BTYPE", 2).
    template <class T>
    T Read(std::string_view key, std::type_identity_t<T> defaultValue);
};

/// `value` as a T by the rules of ControlContainer::Read; T is one of int16_t, int32_t, bool,
/// std::string, platform::FontDesc and PicturePtr.
template <class T>
T ConvertProperty(std::string_view key, const PropertyValue& value);
template <>
int16_t ConvertProperty<int16_t>(std::string_view key, const PropertyValue& value);
template <>
int32_t ConvertProperty<int32_t>(std::string_view key, const PropertyValue& value);
template <>
bool ConvertProperty<bool>(std::string_view key, const PropertyValue& value);
template <>
std::string ConvertProperty<std::string>(std::string_view key, const PropertyValue& value);
template <>
platform::FontDesc ConvertProperty<platform::FontDesc>(std::string_view key,
                                                       const PropertyValue& value);
template <>
PicturePtr ConvertProperty<PicturePtr>(std::string_view key, const PropertyValue& value);

template <class T>
T ControlContainer::Read(std::string_view key, std::type_identity_t<T> defaultValue) {
    return ConvertProperty<T>(key, ReadProperty(key, PropertyValue(std::move(defaultValue))));
}

}  // namespace forms
