// Budgets: one redraw of the calculator's "=" key (121 x 33, Glossy, scheme 2, caption "=")
// under 20 us in each state; a whole press, release and click through the window system,
// including the recomposition of the form, under 60 us. BM_EqualsRedrawUpAtScale redraws the
// key at 1, 1.5 and 3 times (the argument, in 120ths): no more than its device pixels grow
// (2.25 and 9 times).
#include <benchmark/benchmark.h>

#include <memory>

#include "button/vb_button.h"
#include "forms/control_site.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"

namespace button {
namespace {

// The "=" key on a form of the calculator's size.
struct EqualsKey {
    explicit EqualsKey(int64_t per120 = platform::DeviceScale::kUnit)
        : backend({4096, 4096}, platform::DeviceScale::FromPer120(per120)) {
        Build();
    }

    platform::HeadlessBackend backend;
    platform::WindowSystem system{backend};
    platform::Window form{system, nullptr, platform::Rect::FromSize(100, 100, 312, 324)};
    forms::ResourceTable resources;
    std::unique_ptr<forms::ControlSite> site;
    vbButton* key = nullptr;

    void Build() {
        forms::AmbientProperties ambient;
        ambient.font.name = "Arial";
        ambient.font.sizeCy = 120000;
        auto control = std::make_unique<vbButton>();
        key = control.get();
        site =
            std::make_unique<forms::ControlSite>(form, platform::Rect::FromSize(176, 268, 121, 33),
                                                 std::move(control), ambient, resources);
        site->InitNew();
        key->SetButtonType(14);
        key->SetColorScheme(2);
        key->SetBackColor(0x0000FF);
        key->SetCaption("=");
        form.Show();
        site->Show();
        system.UpdateAll();
    }

    platform::Point Centre() const { return site->SiteWindow().ClientToScreen({60, 16}); }
};

// Setting ShowFocusRect to the value it has only redraws in the last drawn state (RenderButton
// with force on) and notifies the host, whose list of notifications is emptied now and then.
void RedrawLoop(benchmark::State& state, EqualsKey& k) {
    const int64_t before = k.key->RedrawCount();
    int32_t sinceClear = 0;
    for (auto _ : state) {
        k.key->SetShowFocusRect(true);
        if (++sinceClear == 1024) {
            k.site->ClearNotifications();
            sinceClear = 0;
        }
    }
    if (k.key->RedrawCount() - before != state.iterations()) state.SkipWithError("no redraw");
}

void BM_EqualsRedrawUp(benchmark::State& state) {
    EqualsKey k;
    RedrawLoop(state, k);
}
BENCHMARK(BM_EqualsRedrawUp);

void BM_EqualsRedrawUpAtScale(benchmark::State& state) {
    EqualsKey k(state.range(0));
    RedrawLoop(state, k);
}
BENCHMARK(BM_EqualsRedrawUpAtScale)->Arg(120)->Arg(180)->Arg(360);

void BM_EqualsRedrawLit(benchmark::State& state) {
    EqualsKey k;
    k.system.PointerMoveTo(k.Centre());
    k.backend.ProcessUntilIdle();
    if (!k.key->IsLit()) state.SkipWithError("not lit");
    RedrawLoop(state, k);
}
BENCHMARK(BM_EqualsRedrawLit);

void BM_EqualsRedrawDown(benchmark::State& state) {
    EqualsKey k;
    k.system.PointerMoveTo(k.Centre());
    k.system.ButtonDown(1);
    k.backend.ProcessUntilIdle();
    if (k.key->LastDrawnState() != DrawnState::Down) state.SkipWithError("not down");
    RedrawLoop(state, k);
}
BENCHMARK(BM_EqualsRedrawDown);

void BM_EqualsRedrawDisabled(benchmark::State& state) {
    EqualsKey k;
    k.key->SetEnabled(false);
    RedrawLoop(state, k);
}
BENCHMARK(BM_EqualsRedrawDisabled);

void BM_EqualsRedrawFocused(benchmark::State& state) {
    EqualsKey k;
    k.system.SetFocus(&k.site->SiteWindow());
    k.backend.ProcessUntilIdle();
    if (!k.key->HasFocusFlag()) state.SkipWithError("no focus");
    RedrawLoop(state, k);
}
BENCHMARK(BM_EqualsRedrawFocused);

// Press and release over the lit key: MouseDown redraws down, MouseUp and the click redraw
// up, and the form is recomposed and presented. Presses alternate between two points 20
// pixels apart so that none counts as the second press of a double click.
void BM_EqualsClickCycle(benchmark::State& state) {
    EqualsKey k;
    int64_t clicks = 0;
    k.site->SetEventHandler([&](const forms::ControlEvent& e) {
        if (e.name == "Click") ++clicks;
    });
    const platform::Point left = k.site->SiteWindow().ClientToScreen({50, 16});
    const platform::Point right = k.site->SiteWindow().ClientToScreen({70, 16});
    k.system.PointerMoveTo(left);
    k.backend.ProcessUntilIdle();
    bool atLeft = true;
    for (auto _ : state) {
        k.system.PointerMoveTo(atLeft ? right : left);
        atLeft = !atLeft;
        k.system.ButtonDown(1);
        k.system.ButtonUp(1);
        k.backend.ProcessUntilIdle();
    }
    if (clicks != state.iterations()) state.SkipWithError("a press did not click");
}
BENCHMARK(BM_EqualsClickCycle);

}  // namespace
}  // namespace button
