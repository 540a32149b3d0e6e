#include "splash/form2.h"

#include <string>
#include <utility>

#include "forms/units.h"
#include "platform/objects/ole_color.h"
#include "platform/version.h"

namespace splash {
namespace {

using forms::TwipsRect;

constexpr platform::OleColor kBackColor = 0x00FF8080;  // light blue
constexpr platform::OleColor kWhite = 0x00FFFFFF;
constexpr platform::OleColor kBlack = 0x00000000;
constexpr platform::OleColor kRed = 0x000000FF;
constexpr platform::OleColor kWindowBackground =
    platform::SystemColorRef(platform::SystemColorIndex::Window);

forms::FormDesign Design() {
    forms::FormDesign design;
    design.caption = "Form2";
    design.role = platform::WindowRole::Splash;
    design.bordered = false;
    design.widthTwips = 5985;
    design.heightTwips = 2775;
    design.centred = true;
    design.backColor = kBackColor;
    return design;
}

/// White text straight on the window's colour, as most of the splash's labels are.
void OnBackground(forms::Label& label) {
    label.SetBackColor(kBackColor);
    label.SetForeColor(kWhite);
}

/// "Version 2.0": the program's major and minor version.
std::string VersionCaption() {
    return "Version " + std::to_string(platform::kVersionMajor) + "." +
           std::to_string(platform::kVersionMinor);
}

void TransparentText(forms::Label& label, platform::OleColor foreColor) {
    label.SetTransparent(true);
    label.SetForeColor(foreColor);
}

}  // namespace

void ApplyOpacity(platform::Window& window, uint8_t alpha) {
    window.SetOpacity(alpha);
}

Form2::Form2(platform::WindowSystem& system, const SplashPictures& pictures,
             platform::Window& owner, InstanceCheck anotherInstanceRunning)
    : forms::Form(system, Design()),
      Label1(*this, TwipsRect(1320, 240, 3015, 495), "Tavik Calculator"),
      Label3(*this, TwipsRect(2280, 720, 1095, 255), VersionCaption()),
      Label2(*this, TwipsRect(4440, 840, 1455, 255), "Made In Indonesia"),
      Label4(*this, TwipsRect(240, 1080, 1095, 255), "Programmer "),
      Label6(*this, TwipsRect(1440, 1080, 1935, 255), "Tavik Software"),
      Label7(*this, TwipsRect(240, 1320, 1215, 255), "E-mail "),
      Label8(*this, TwipsRect(1440, 1320, 2055, 255), "calculator@tavik.example"),
      Label9(*this, TwipsRect(240, 1560, 855, 255), "Company "),
      Label10(*this, TwipsRect(1440, 1560, 975, 255), "Tavik"),
      Label11(*this, TwipsRect(240, 1800, 975, 255), "Website "),
      Label12(*this, TwipsRect(1440, 1800, 2775, 255), "https://tavik.example"),
      Label5(*this, TwipsRect(120, 2400, 2295, 255), "For Windows 2000/XP/Vista/7"),
      lblblink(*this, TwipsRect(4680, 2400, 1215, 255), "\xC2\xA9 2026 Tavik"),
      Shape1(*this, TwipsRect(4560, 240, 975, 255)),
      Shape2(*this, TwipsRect(4560, 480, 975, 255)),
      Picture1(*this, TwipsRect(0, 0, 5940, 90)),
      Picture2(*this, TwipsRect(0, 2640, 5940, 90)),
      timeInc(*this, 30, true),
      timeWait(*this, 1000, false),
      timeDec(*this, 30, false),
      Timer2(*this, 500, true),
      owner_(owner),
      anotherInstanceRunning_(std::move(anotherInstanceRunning)) {
    TransparentText(Label1, kWhite);
    Label1.SetFont(platform::PlainFont("Arial", 180000, platform::kFontWeightBold));
    TransparentText(Label3, kBlack);
    Label3.SetFont(platform::PlainFont("MS Sans Serif", 97500, platform::kFontWeightNormal));
    Label2.SetBackColor(kBackColor);  // text keeps the button-text colour
    for (forms::Label* label :
         {&Label4, &Label6, &Label7, &Label8, &Label9, &Label10, &Label11, &Label12})
        OnBackground(*label);
    TransparentText(Label5, kWhite);
    TransparentText(lblblink, kWhite);

    // Red over white: a small flag, outlined in the window-text colour.
    Shape1.SetFill(kRed);
    Shape2.SetFill(kWindowBackground);

    // The 112-pixel gradient is stretched along the whole edge so that it stays symmetric.
    for (forms::PictureStrip* strip : {&Picture1, &Picture2}) {
        strip->SetPicture(pictures.strip);
        strip->SetStretched(true);
    }

    SetOwner(&owner);
    SetLoadHandler([this] { FormLoad(); });
    SetClickHandler([this] { StartFadeOut(); });
    SetKeyPressHandler([this](int32_t&) { StartFadeOut(); });
    lblblink.SetClickHandler([this] { StartFadeOut(); });
    timeInc.SetTickHandler([this] { TimeIncTick(); });
    timeWait.SetTickHandler([this] { TimeWaitTick(); });
    timeDec.SetTickHandler([this] { TimeDecTick(); });
    Timer2.SetTickHandler([this] { Timer2Tick(); });
}

void Form2::StartFadeOut() {
    if (ReducedMotion()) {
        CloseAndShowOwner();
        return;
    }
    timeInc.SetEnabled(false);
    timeDec.SetEnabled(true);
}

void Form2::Hold() {
    opacityLevel_ = kTopOpacity;
    ApplyOpacity(*this, opacityLevel_);
    timeInc.SetEnabled(false);
    timeWait.SetEnabled(true);
}

void Form2::OnAppearanceChanged() {
    if (ReducedMotion() && timeInc.IsEnabled()) Hold();
}

void Form2::FormLoad() {
    if (anotherInstanceRunning_ && anotherInstanceRunning_()) {
        // Nothing is shown and nothing is asked: the program simply ends.
        endedProgram_ = true;
        System().Quit();
        return;
    }
    if (ReducedMotion()) {
        Hold();
        return;
    }
    ApplyOpacity(*this, 1);
}

void Form2::TimeIncTick() {
    if (opacityLevel_ < kTopOpacity) {
        opacityLevel_ = static_cast<uint8_t>(opacityLevel_ + kFadeInStep);
    } else {
        timeInc.SetEnabled(false);
        timeWait.SetEnabled(true);
    }
    ApplyOpacity(*this, opacityLevel_);
}

void Form2::TimeWaitTick() {
    if (waitTicks_ == 1) {
        timeWait.SetEnabled(false);
        if (ReducedMotion()) {
            CloseAndShowOwner();
        } else {
            timeDec.SetEnabled(true);
        }
    } else {
        ++waitTicks_;
    }
}

void Form2::TimeDecTick() {
    if (opacityLevel_ > kFadeOutStep) {
        ApplyOpacity(*this, opacityLevel_);
        opacityLevel_ = static_cast<uint8_t>(opacityLevel_ - kFadeOutStep);
    } else {
        CloseAndShowOwner();
    }
}

void Form2::Timer2Tick() {
    if (blinkOn_) {
        lblblink.SetForeColor(kBlack);
        blinkOn_ = false;
    } else {
        lblblink.SetForeColor(kWhite);
        blinkOn_ = true;
    }
}

void Form2::CloseAndShowOwner() {
    // Hiding ends the modal loop that shows the splash; whoever showed it destroys it once
    // that loop has returned, so no timer object is destroyed from inside its own tick.
    for (forms::Timer* timer : {&timeInc, &timeWait, &timeDec, &Timer2})
        timer->SetEnabled(false);
    Hide();
    owner_.Show();
}

}  // namespace splash
