#pragma once

#include "tests/button/button_host.h"

namespace button {

// A shown button of the given size and look on a host with real input, with no caption.
struct StyledButton : ButtonHost {
    StyledButton(int32_t type, int32_t w, int32_t h, int32_t scheme = 3)
        : ButtonHost(true, platform::Rect::FromSize(10, 10, w, h)) {
        site->InitNew();
        button->SetCaption("");
        button->SetButtonType(type);
        button->SetColorScheme(scheme);
        site->Show();
        backend.ProcessUntilIdle();
    }

    const platform::Surface& Pixels() { return site->DrawingSurface(); }
    const Palette& Colours() { return button->CurrentPalette(); }
    platform::Point Centre() {
        const platform::Window& w = site->SiteWindow();
        return w.ClientToScreen({w.ClientWidth() / 2, w.ClientHeight() / 2});
    }
    void PointerOver() {
        system.PointerMoveTo(Centre());
        backend.ProcessUntilIdle();
    }
    void Press() {
        PointerOver();
        system.ButtonDown(1);
        backend.ProcessUntilIdle();
    }
    void GiveFocus() {
        system.SetFocus(&site->SiteWindow());
        backend.ProcessUntilIdle();
    }
    void MarkDefault() {
        forms::AmbientProperties ambient = site->Ambient();
        ambient.displayAsDefault = true;
        site->SetAmbient(ambient);
        backend.ProcessUntilIdle();
    }
};

}  // namespace button
