#include "forms/control_site.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/display/headless/headless_backend.h"
#include "platform/image/image.h"
#include "platform/objects/ole_color.h"
#include "platform/objects/picture.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_system.h"
#include "tests/forms/fake_control.h"

namespace forms {
namespace {

using testing::FakeControl;

constexpr platform::Color kRed = 0x000000FF;
constexpr platform::Color kBlue = 0x00FF0000;

// A shown form at screen (100, 100), 200 × 100 pixels, with sites placed in it.
class ControlSiteTest : public ::testing::Test {
  protected:
    ControlSiteTest() { form.Show(); }

    std::unique_ptr<ControlSite> MakeSite(platform::Rect bounds, std::string prefix = "") {
        return std::make_unique<ControlSite>(
            form, bounds, std::make_unique<FakeControl>(log, std::move(prefix)),
            AmbientProperties{"Button1", {}, true, false}, resources);
    }
    static FakeControl& Fake(ControlSite& site) {
        return static_cast<FakeControl&>(site.Control());
    }
    void RunScript(platform::Script script) {
        backend.SetInputSource(std::move(script).Source());
        system.Run();
    }
    // The pixel (x, y) of the form as the display shows it.
    platform::Color Shown(int32_t x, int32_t y) const {
        return backend.Native(form.NativeId())->screen.Pixel(x, y);
    }
    // The log entries that start with one of `prefixes`.
    std::vector<std::string> Only(std::initializer_list<std::string_view> prefixes) const {
        std::vector<std::string> kept;
        for (const std::string& entry : log)
            if (std::any_of(prefixes.begin(), prefixes.end(),
                            [&](std::string_view p) { return entry.starts_with(p); }))
                kept.push_back(entry);
        return kept;
    }

    platform::HeadlessBackend backend;
    platform::WindowSystem system{backend};
    platform::Window form{system, nullptr, platform::Rect::FromSize(100, 100, 200, 100)};
    ResourceTable resources;
    std::vector<std::string> log;
};

TEST_F(ControlSiteTest, DrivesTheLifecycleInOrder) {
    struct Case {
        bool stored;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {false,
         {"Create", "InitNew", "Resize", "Show", "SaveSettings", "Hide", "Show", "Hide",
          "Destroy"}},
        {true,
         {"Create", "LoadSettings", "Resize", "Show", "SaveSettings", "Hide", "Show", "Hide",
          "Destroy"}},
    };
    for (const Case& c : cases) {
        log.clear();
        {
            auto site = MakeSite({10, 10, 60, 40});
            if (c.stored) {
                site->Load(PropertyBag());
            } else {
                site->InitNew();
            }
            site->Show();
            site->Save();
            site->Hide();
            site->Show();
        }
        EXPECT_EQ(log, c.expected) << "stored " << c.stored;
    }
}

TEST_F(ControlSiteTest, RejectsLifecycleCallsOutOfOrder) {
    auto site = MakeSite({10, 10, 60, 40});
    EXPECT_THROW(site->Show(), std::logic_error);
    EXPECT_THROW(site->Save(), std::logic_error);
    site->InitNew();
    EXPECT_THROW(site->InitNew(), std::logic_error);
    EXPECT_THROW(site->Load(PropertyBag()), std::logic_error);
    EXPECT_EQ(log, (std::vector<std::string>{"Create", "InitNew", "Resize"}));
    EXPECT_FALSE(site->SiteWindow().IsVisible());
}

TEST_F(ControlSiteTest, ForwardsInputArrivingThroughTheWindowSystem) {
    auto site = MakeSite({10, 10, 60, 40});  // screen 110..160 × 110..140
    site->InitNew();
    site->Show();
    log.clear();
    RunScript(std::move(platform::Script()
                            .MoveTo(120, 125)
                            .Down()
                            .Up()
                            .Advance(100)
                            .Down()
                            .Up()
                            .Advance(1000)
                            .Down(platform::kButtonRight)
                            .Up(platform::kButtonRight)));
    // The left press gives the control the focus before the control hears of it.
    EXPECT_EQ(log, (std::vector<std::string>{"MouseMove 0 0 10 15", "GotFocus",
                                             "MouseDown 1 0 10 15", "MouseUp 1 0 10 15", "Click",
                                             "DoubleClick", "MouseUp 1 0 10 15",
                                             "MouseDown 2 0 10 15", "MouseUp 2 0 10 15"}));

    // A disabled control's window takes no input.
    site->SetEnabled(false);
    log.clear();
    EXPECT_FALSE(site->Enabled());
    RunScript(std::move(platform::Script().MoveTo(121, 125).Down().Up()));
    EXPECT_TRUE(log.empty());
}

TEST_F(ControlSiteTest, ForwardsKeysFocusAndTheAccessKey) {
    auto site = MakeSite({10, 10, 60, 40});
    site->InitNew();
    site->Show();
    site->SetAccessKeys("k");
    site->SiteWindow().Focus();
    RunScript(std::move(platform::Script()
                            .Key(platform::kKeySpace)
                            .KeyDown(platform::kKeyAlt)
                            .Key('K')
                            .KeyUp(platform::kKeyAlt)));
    site->SiteWindow().System().SetFocus(nullptr);
    // Alt+K reaches the control as its access key in place of the K going down.
    EXPECT_EQ(Only({"Key", "Access", "Got", "Lost"}),
              (std::vector<std::string>{"GotFocus", "KeyDown 32 0", "KeyUp 32 0", "KeyDown 18 4",
                                        "AccessKey", "KeyUp 75 4", "KeyUp 18 0", "LostFocus"}));
}

TEST_F(ControlSiteTest, RaisesEventsWithArgumentsTheHostMayChange) {
    auto site = MakeSite({10, 10, 60, 40});
    site->InitNew();
    std::vector<EventArgument> args{int16_t{1}, int16_t{0}, 10.0f, 15.0f};

    // Without a handler the arguments come back as they went.
    EXPECT_TRUE(site->Container().events->RaiseEvent(2, "MouseDown", args));
    EXPECT_EQ(std::get<int16_t>(args[0]), 1);

    std::vector<std::string> seen;
    site->SetIndex(7);
    site->SetEventHandler([&](const ControlEvent& e) {
        seen.push_back(std::to_string(e.number) + " " + std::string(e.name) + " index " +
                       std::to_string(e.index.value_or(-1)) + " args " +
                       std::to_string(e.args.size()));
        if (e.args.size() != 4) return;
        e.args[0] = int16_t{2};
        std::get<float>(e.args[3]) = 0.5f;
    });
    EXPECT_TRUE(site->Container().events->RaiseEvent(2, "MouseDown", args));
    EXPECT_EQ(seen, std::vector<std::string>{"2 MouseDown index 7 args 4"});
    EXPECT_EQ(std::get<int16_t>(args[0]), 2);
    EXPECT_EQ(std::get<float>(args[3]), 0.5f);

    site->SetIndex(std::nullopt);
    EXPECT_TRUE(site->Container().events->RaiseEvent(1, "Click", {}));
    EXPECT_EQ(seen.back(), "1 Click index -1 args 0");
}

TEST_F(ControlSiteTest, AHandlerMayReplaceItselfAndFinishItsCall) {
    auto site = MakeSite({10, 10, 60, 40});
    site->InitNew();
    std::vector<std::string> seen;
    site->SetEventHandler([&seen, &site, tag = std::string("first handler")](const ControlEvent&) {
        site->SetEventHandler([&seen](const ControlEvent&) { seen.push_back("second handler"); });
        seen.push_back(tag);  // its own state is still there
    });
    EXPECT_TRUE(site->Container().events->RaiseEvent(1, "Click", {}));
    EXPECT_TRUE(site->Container().events->RaiseEvent(1, "Click", {}));
    site->SetEventHandler(nullptr);
    EXPECT_TRUE(site->Container().events->RaiseEvent(1, "Click", {}));
    EXPECT_EQ(seen, (std::vector<std::string>{"first handler", "second handler"}));
}

TEST_F(ControlSiteTest, TellsTheControlWhenTheHostDestroyedIt) {
    auto site = MakeSite({10, 10, 60, 40});
    site->InitNew();
    site->Show();
    site->SetEventHandler([&](const ControlEvent&) { site.reset(); });
    std::vector<std::string> results;
    Fake(*site).react = [&, events = site->Container().events](std::string_view call) {
        if (call != "Click") return;
        results.push_back(events->RaiseEvent(1, "Click", {}) ? "alive" : "gone");
    };
    RunScript(std::move(platform::Script().MoveTo(120, 125).Down().Up().Advance(10)));
    EXPECT_EQ(site, nullptr);
    EXPECT_EQ(results, std::vector<std::string>{"gone"});
    EXPECT_EQ(log.back(), "Destroy");
}

TEST_F(ControlSiteTest, KeepsPropertyChangeNotificationsInOrder) {
    auto site = MakeSite({10, 10, 60, 40});
    site->InitNew();
    const ControlContainer& container = Fake(*site).container;
    container.properties->PropertyChanged("BCOL");
    container.properties->PropertyChanged("TX");
    container.properties->PropertyChanged("BCOL");
    EXPECT_EQ(site->Notifications(), (std::vector<std::string>{"BCOL", "TX", "BCOL"}));
    site->ClearNotifications();
    EXPECT_TRUE(site->Notifications().empty());
}

TEST_F(ControlSiteTest, ReportsEachAmbientChange) {
    auto site = MakeSite({10, 10, 60, 40});
    site->InitNew();
    log.clear();
    AmbientProperties ambient = site->Ambient();
    EXPECT_EQ(ambient.displayName, "Button1");
    EXPECT_TRUE(ambient.userMode);

    site->SetAmbient(ambient);
    EXPECT_TRUE(log.empty());

    ambient.displayAsDefault = true;
    ambient.font.SetBold(true);
    site->SetAmbient(ambient);
    EXPECT_EQ(log,
              (std::vector<std::string>{"AmbientChanged Font", "AmbientChanged DisplayAsDefault"}));
    EXPECT_TRUE(Fake(*site).container.ambient->Ambient().displayAsDefault);

    log.clear();
    ambient.userMode = false;
    ambient.displayName = "cmdOK";
    site->SetAmbient(ambient);
    EXPECT_EQ(log,
              (std::vector<std::string>{"AmbientChanged DisplayName", "AmbientChanged UserMode"}));
}

TEST_F(ControlSiteTest, PlacesTheControlInTwips) {
    auto site = MakeSite({10, 20, 60, 53});
    site->InitNew();
    const ControlContainer& container = Fake(*site).container;
    EXPECT_EQ(container.placement->Left(), 150);
    EXPECT_EQ(container.placement->Top(), 300);
    EXPECT_EQ(container.placement->Height(), 495);
    EXPECT_EQ(container.placement->PixelsToContainer(33), 495);
    EXPECT_EQ(container.surface->PixelsPerInch(), 96);
    EXPECT_DOUBLE_EQ(platform::HimetricToPixels(2540, container.surface->PixelsPerInch()), 96.0);
    EXPECT_NEAR(platform::HimetricToPixels(873, container.surface->PixelsPerInch()), 33.0, 0.01);

    struct Case {
        int32_t twips;
        int32_t pixels;
        bool resized;
    };
    const Case cases[] = {
        {0, 0, true},   {495, 33, true}, {500, 33, false}, {22, 1, true},
        {-30, 0, true}, {7, 0, false},   {8, 1, true},
    };
    for (const Case& c : cases) {
        log.clear();
        container.placement->SetHeight(c.twips);
        EXPECT_EQ(site->SiteWindow().ClientHeight(), c.pixels) << c.twips;
        EXPECT_EQ(site->SiteWindow().ClientWidth(), 50) << c.twips;
        EXPECT_EQ(site->SiteWindow().Bounds().top, 20) << c.twips;
        EXPECT_EQ(log, c.resized ? std::vector<std::string>{"Resize"} : std::vector<std::string>{})
            << c.twips;
    }
}

// The way a control captures what its parent shows beneath it: collapse, let the parent
// recompose, read, restore. Work posted meanwhile runs inside the control's call.
TEST_F(ControlSiteTest, DispatchesPendingMessagesFromInsideAControlCall) {
    auto site = MakeSite({10, 10, 60, 43});
    site->InitNew();
    site->Show();
    std::fill(form.DrawingSurface().Row(0),
              form.DrawingSurface().Row(0) + form.DrawingSurface().Pixels().size(), kRed);
    form.Invalidate();
    const ControlContainer& container = Fake(*site).container;
    auto paintBlue = [&] {
        platform::Surface& s = container.surface->DrawingSurface();
        std::fill(s.Row(0), s.Row(0) + s.Pixels().size(), kBlue);
    };
    paintBlue();
    system.DispatchPending();
    ASSERT_EQ(Shown(20, 20), kBlue);

    platform::Color seenDuringCollapse = 0;
    Fake(*site).react = [&](std::string_view call) {
        if (call != "Click") return;
        const int32_t height = container.placement->Height();
        system.Post([&] { log.push_back("posted"); });
        container.placement->SetHeight(0);
        container.messages->DispatchPending();
        seenDuringCollapse = Shown(20, 20);
        log.push_back("dispatched");
        container.placement->SetHeight(height);
    };
    log.clear();
    RunScript(std::move(platform::Script().MoveTo(120, 120).Down().Up()));
    EXPECT_EQ(Only({"Click", "Resize", "posted", "dispatched"}),
              (std::vector<std::string>{"Click", "Resize", "posted", "dispatched", "Resize"}));
    EXPECT_EQ(seenDuringCollapse, kRed);
    EXPECT_EQ(site->SiteWindow().ClientHeight(), 33);
}

TEST_F(ControlSiteTest, SentKeystrokesMoveTheFocusLater) {
    auto a = MakeSite({10, 10, 60, 40}, "A ");
    auto b = MakeSite({70, 10, 120, 40}, "B ");
    a->SiteWindow().SetTabIndex(0);
    b->SiteWindow().SetTabIndex(1);
    for (ControlSite* s : {a.get(), b.get()}) {
        s->InitNew();
        s->Show();
    }
    a->SiteWindow().Focus();
    auto sendOnArrow = [&](ControlSite& site, int32_t arrow, const char* keys) {
        Fake(site).react = [&site, arrow, keys, this](std::string_view call) {
            if (call != "KeyDown " + std::to_string(arrow) + " 0") return;
            site.SendKeys(keys);
            log.push_back(site.SiteWindow().HasFocus() ? "still focused" : "moved");
        };
    };
    sendOnArrow(*a, platform::kKeyRight, "{Tab}");
    sendOnArrow(*b, platform::kKeyLeft, "+{Tab}");
    log.clear();
    RunScript(std::move(platform::Script().Key(platform::kKeyRight).Key(platform::kKeyLeft)));
    EXPECT_EQ(
        Only({"A KeyDown", "B KeyDown", "still", "moved", "A Got", "A Lost", "B Got", "B Lost"}),
        (std::vector<std::string>{"A KeyDown 39 0", "still focused", "A LostFocus", "B GotFocus",
                                  "B KeyDown 37 0", "still focused", "B LostFocus", "A GotFocus"}));
    EXPECT_THROW(a->SendKeys("{Enter}"), std::invalid_argument);
}

TEST_F(ControlSiteTest, ChildTimerTicksOnTheClock) {
    auto site = MakeSite({10, 10, 60, 40});
    site->InitNew();
    site->Show();
    std::vector<int64_t> ticks;
    Fake(*site).react = [&](std::string_view call) {
        if (call == "Timer") ticks.push_back(system.NowMs());
    };
    const ControlContainer& container = Fake(*site).container;

    container.timer->SetTimerEnabled(true);  // no interval yet: nothing runs
    backend.AdvanceClock(10);
    EXPECT_TRUE(ticks.empty());

    container.timer->SetTimerInterval(3);  // t = 10
    backend.AdvanceClock(8);
    EXPECT_EQ(ticks, (std::vector<int64_t>{13, 16}));

    container.timer->SetTimerEnabled(true);  // already on: the countdown goes on
    backend.AdvanceClock(1);
    EXPECT_EQ(ticks.back(), 19);

    container.timer->SetTimerInterval(5);  // t = 19, restarts
    backend.AdvanceClock(5);
    EXPECT_EQ(ticks.back(), 24);
    EXPECT_EQ(container.timer->TimerInterval(), 5);

    container.timer->SetTimerEnabled(false);
    EXPECT_FALSE(container.timer->TimerEnabled());
    backend.AdvanceClock(50);
    EXPECT_EQ(ticks, (std::vector<int64_t>{13, 16, 19, 24}));
}

platform::Image TwoByTwo() {
    return platform::Image{2, 2, {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF000000}};
}

TEST_F(ControlSiteTest, SetsThePointerAndRefusesABitmapAsPointerImage) {
    auto site = MakeSite({10, 10, 60, 40});
    site->InitNew();
    const platform::IconImage cursorImage{TwoByTwo(), 1, 0, 32};
    const PicturePtr cursor =
        platform::LoadPicture(
            platform::EncodeIconFile(std::span<const platform::IconImage>(&cursorImage, 1),
                                     /*cursor=*/true)
                .Value())
            .Value();
    const PicturePtr bitmap =
        platform::LoadPicture(platform::EncodeBmp24(TwoByTwo()).Value()).Value();
    const platform::Window& window = site->SiteWindow();

    site->Container().pointer->SetMousePointer(99);  // no image yet
    EXPECT_EQ(window.Pointer(), platform::PointerKind::Default);
    site->Container().pointer->SetMouseIcon(cursor);
    EXPECT_EQ(window.Pointer(), platform::PointerKind::Custom);
    ASSERT_NE(window.PointerPicture(), nullptr);
    EXPECT_EQ(window.PointerPicture()->image, TwoByTwo());
    EXPECT_EQ(window.PointerPicture()->hotSpotX, 1);
    EXPECT_EQ(window.PointerPicture()->hotSpotY, 0);

    EXPECT_THROW(site->Container().pointer->SetMouseIcon(bitmap), PointerImageError);
    EXPECT_EQ(site->Container().pointer->MouseIcon(), cursor);
    EXPECT_EQ(window.Pointer(), platform::PointerKind::Custom);

    struct Case {
        int16_t pointer;
        platform::PointerKind kind;
    };
    for (const Case& c :
         {Case{1, platform::PointerKind::Arrow}, Case{11, platform::PointerKind::Arrow},
          Case{0, platform::PointerKind::Default}, Case{99, platform::PointerKind::Custom}}) {
        site->Container().pointer->SetMousePointer(c.pointer);
        EXPECT_EQ(site->Container().pointer->MousePointer(), c.pointer);
        EXPECT_EQ(window.Pointer(), c.kind) << c.pointer;
    }
    site->Container().pointer->SetMouseIcon(nullptr);
    EXPECT_EQ(window.Pointer(), platform::PointerKind::Default);
    EXPECT_EQ(site->Container().pointer->MouseIcon(), nullptr);
}

TEST_F(ControlSiteTest, APointerShowsInvertingPixelsAsOpaqueStandIns) {
    auto site = MakeSite({10, 10, 60, 40});
    site->InitNew();
    // White and a dark grey invert; the third pixel is opaque red.
    const platform::IconImage cursorImage{
        platform::Image{3, 1, {0, 0, 0xFF0000FF}, {0xFFFFFF, 0x202020, 0}}, 0, 0, 24};
    site->Container().pointer->SetMouseIcon(
        platform::LoadPicture(
            platform::EncodeIconFile(std::span<const platform::IconImage>(&cursorImage, 1),
                                     /*cursor=*/true)
                .Value())
            .Value());
    site->Container().pointer->SetMousePointer(99);
    const platform::Window& window = site->SiteWindow();
    ASSERT_NE(window.PointerPicture(), nullptr);
    EXPECT_EQ(window.PointerPicture()->image,
              (platform::Image{3, 1, {0xFF000000, 0xFFFFFFFF, 0xFF0000FF}}));
}

TEST_F(ControlSiteTest, LoadsTheProgramsCursorResource) {
    const platform::IconImage hand{TwoByTwo(), 1, 1, 1};
    const PicturePtr cursor =
        platform::LoadPicture(
            platform::EncodeIconFile(std::span<const platform::IconImage>(&hand, 1), true).Value())
            .Value();
    resources.AddCursor(101, cursor);
    auto site = MakeSite({10, 10, 60, 40});
    EXPECT_EQ(site->Container().pointer->LoadCursorResource(101), cursor);
    EXPECT_THROW(site->Container().pointer->LoadCursorResource(102), ResourceError);
}

TEST_F(ControlSiteTest, ClearsAndRepaintsTheDrawingSurface) {
    auto site = MakeSite({10, 10, 60, 40});
    site->InitNew();
    site->Show();
    system.DispatchPending();
    const platform::Color face = *platform::SystemColor(15);

    site->ClearSurface();
    EXPECT_EQ(site->DrawingSurface().Pixel(0, 0), face);
    EXPECT_EQ(site->DrawingSurface().Pixel(49, 29), face);
    EXPECT_NE(Shown(10, 10), face);  // not yet on the screen
    system.DispatchPending();
    EXPECT_EQ(Shown(10, 10), face);

    site->DrawingSurface().SetPixel(3, 4, kBlue);
    site->RepaintNow();
    EXPECT_EQ(Shown(13, 14), kBlue);
}

TEST_F(ControlSiteTest, SavesTheExtentAheadOfTheControlsSettings) {
    auto site = MakeSite({10, 10, 60, 43});
    site->Load(PropertyBag());
    Fake(*site).react = [&](std::string_view call) {
        if (call == "SaveSettings")
            Fake(*site).container.properties->WriteProperty("TX", std::string("7"));
    };
    const PropertyBag bag = site->Save();
    ASSERT_EQ(bag.Entries().size(), 3u);
    EXPECT_EQ(bag.Entries()[0].key, "_extentx");
    EXPECT_EQ(std::get<int32_t>(bag.Entries()[0].value), 1323);
    EXPECT_EQ(bag.Entries()[1].key, "_extenty");
    EXPECT_EQ(std::get<int32_t>(bag.Entries()[1].value), 873);
    EXPECT_EQ(std::get<std::string>(bag.Entries()[2].value), "7");
}

// The bag is there for the load and the save only; settings read outside them are defaults.
TEST_F(ControlSiteTest, HoldsTheBagOnlyWhileTheControlLoadsOrSaves) {
    auto site = MakeSite({10, 10, 60, 43});
    StoredProperties*& properties = Fake(*site).container.properties;
    std::vector<std::string> read;
    const auto readText = [&] { read.push_back(properties->Read<std::string>("TX", "none")); };
    Fake(*site).react = [&](std::string_view call) {
        if (call == "LoadSettings" || call == "SaveSettings") readText();
    };
    PropertyBag stored;
    stored.Write("TX", std::string("7"));
    site->Load(stored);
    readText();
    site->Save();
    readText();
    EXPECT_EQ(read, (std::vector<std::string>{"7", "none", "none", "none"}));
}

}  // namespace
}  // namespace forms
