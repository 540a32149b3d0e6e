#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "forms/form.h"
#include "forms/label.h"
#include "forms/picture_strip.h"
#include "forms/shape.h"
#include "forms/timer.h"
#include "platform/objects/picture.h"
#include "platform/ui/window.h"
#include "platform/ui/window_system.h"

namespace splash {

/// The pictures the splash window shows.
struct SplashPictures {
    /// The gradient strip along the top and bottom edges.
    std::shared_ptr<const platform::Picture> strip;
};

/// Says whether another copy of the program is already running.
using InstanceCheck = std::function<bool()>;

/// Sets the whole-window opacity of `window` (0 transparent, 255 opaque). Our windows are
/// drawn as one opaque surface, so no colour is keyed out: the desktop's colour key
/// 0x000005 has nothing to match here.
void ApplyOpacity(platform::Window& window, uint8_t alpha);

/// The start-up splash: fades in, holds two seconds at opacity 250, fades out, then closes and
/// shows its owner. A click on the background, on the flag or on the blinking notice, or any
/// typed character, skips to the fade-out. While the desktop asks for reduced motion it skips
/// both fades: it shows at opacity 250 for the hold and closes after it, and a click or a key
/// closes it at once; reduced motion asked for during the fade-in ends the fade there. When
/// another copy of the program runs, its load ends the program before anything is shown.
class Form2 : public forms::Form {
  public:
    static constexpr int32_t kFadeInStep = 5;
    static constexpr int32_t kFadeOutStep = 10;
    static constexpr uint8_t kTopOpacity = 250;

    /// `owner` is shown when the splash closes. `anotherInstanceRunning` may be empty.
    Form2(platform::WindowSystem& system, const SplashPictures& pictures, platform::Window& owner,
          InstanceCheck anotherInstanceRunning);

    /// True when the load found another copy running and ended the program.
    bool EndedProgram() const { return endedProgram_; }
    uint8_t OpacityLevel() const { return opacityLevel_; }
    uint8_t WaitTicks() const { return waitTicks_; }
    bool BlinkOn() const { return blinkOn_; }

    /// Leaves the fade-in (or the hold) for the fade-out, or closes at once under reduced motion.
    void StartFadeOut();

    void OnAppearanceChanged() override;

    /// A window, not a frame: the splash is shown, never used.
    platform::AccessibleDescription Describe() const override {
        return {.role = platform::AccessibleRole::Window};
    }

    forms::Label Label1;
    forms::Label Label3;
    forms::Label Label2;
    forms::Label Label4;
    forms::Label Label6;
    forms::Label Label7;
    forms::Label Label8;
    forms::Label Label9;
    forms::Label Label10;
    forms::Label Label11;
    forms::Label Label12;
    forms::Label Label5;
    forms::Label lblblink;
    forms::Shape Shape1;
    forms::Shape Shape2;
    forms::PictureStrip Picture1;
    forms::PictureStrip Picture2;
    forms::Timer timeInc;
    forms::Timer timeWait;
    forms::Timer timeDec;
    forms::Timer Timer2;

  private:
    void FormLoad();
    void TimeIncTick();
    void TimeWaitTick();
    void TimeDecTick();
    void Timer2Tick();
    void CloseAndShowOwner();
    bool ReducedMotion() const { return System().DesktopAppearance().reducedMotion; }
    /// Shows the splash at its top opacity and starts the hold.
    void Hold();

    platform::Window& owner_;
    InstanceCheck anotherInstanceRunning_;
    uint8_t opacityLevel_ = 0;
    uint8_t waitTicks_ = 0;
    bool blinkOn_ = false;
    bool endedProgram_ = false;
};

}  // namespace splash
