// SDL events pushed into SDL's queue reach the window system as the matching input calls.
#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/platform/ui/sdl/sdl_fixture.h"

namespace platform {
namespace {

SDL_Event Motion(Uint32 window, int32_t x, int32_t y) {
    SDL_Event e{};
    e.motion.type = SDL_MOUSEMOTION;
    e.motion.windowID = window;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event Button(Uint32 type, Uint32 window, Uint8 button, int32_t x, int32_t y) {
    SDL_Event e{};
    e.button.type = type;
    e.button.windowID = window;
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event Key(Uint32 type, Uint32 window, SDL_Keycode sym, Uint8 repeat = 0) {
    SDL_Event e{};
    e.key.type = type;
    e.key.windowID = window;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    return e;
}

SDL_Event Text(Uint32 window, const char* utf8) {
    SDL_Event e{};
    e.text.type = SDL_TEXTINPUT;
    e.text.windowID = window;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    return e;
}

SDL_Event WindowEvent(Uint32 window, Uint8 event) {
    SDL_Event e{};
    e.window.type = SDL_WINDOWEVENT;
    e.window.windowID = window;
    e.window.event = event;
    return e;
}

SDL_Event Quit() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    return e;
}

struct InputCase {
    const char* name;
    std::function<std::vector<SDL_Event>(Uint32 window)> events;
    std::vector<std::string> expected;
    bool closes = false;
};

const InputCase kCases[] = {
    {"LeftClickWhereThePointerIs",
     [](Uint32 w) {
         return std::vector{Motion(w, 5, 6), Button(SDL_MOUSEBUTTONDOWN, w, SDL_BUTTON_LEFT, 5, 6),
                            Button(SDL_MOUSEBUTTONUP, w, SDL_BUTTON_LEFT, 5, 6)};
     },
     {"move 0 s0 5,6", "down 1 s0 5,6", "up 1 s0 5,6", "click"}},
    {"PressElsewhereMovesThePointerFirst",
     [](Uint32 w) {
         return std::vector{Button(SDL_MOUSEBUTTONDOWN, w, SDL_BUTTON_RIGHT, 7, 8),
                            Button(SDL_MOUSEBUTTONUP, w, SDL_BUTTON_RIGHT, 9, 8)};
     },
     {"move 0 s0 7,8", "down 2 s0 7,8", "move 2 s0 9,8", "up 2 s0 9,8"}},
    {"MiddleButton",
     [](Uint32 w) {
         return std::vector{Motion(w, 1, 2),
                            Button(SDL_MOUSEBUTTONDOWN, w, SDL_BUTTON_MIDDLE, 1, 2),
                            Button(SDL_MOUSEBUTTONUP, w, SDL_BUTTON_MIDDLE, 1, 2)};
     },
     {"move 0 s0 1,2", "down 4 s0 1,2", "up 4 s0 1,2"}},
    {"ExtraButtonsAreIgnored",
     [](Uint32 w) {
         return std::vector{Motion(w, 1, 2), Button(SDL_MOUSEBUTTONDOWN, w, SDL_BUTTON_X1, 1, 2),
                            Button(SDL_MOUSEBUTTONUP, w, SDL_BUTTON_X1, 1, 2)};
     },
     {"move 0 s0 1,2"}},
    {"LetterKeyThenItsText",
     [](Uint32 w) {
         return std::vector{Key(SDL_KEYDOWN, w, SDLK_a), Text(w, "a"), Key(SDL_KEYUP, w, SDLK_a)};
     },
     {"keydown 65 s0", "press 97", "keyup 65 s0"}},
    {"HeldKeyRepeatsKeyDown",
     [](Uint32 w) {
         return std::vector{Key(SDL_KEYDOWN, w, SDLK_LEFT), Key(SDL_KEYDOWN, w, SDLK_LEFT, 1),
                            Key(SDL_KEYDOWN, w, SDLK_LEFT, 1), Key(SDL_KEYUP, w, SDLK_LEFT)};
     },
     {"keydown 37 s0", "keydown 37 s0", "keydown 37 s0", "keyup 37 s0"}},
    {"ShiftedDigit",
     [](Uint32 w) {
         return std::vector{Key(SDL_KEYDOWN, w, SDLK_LSHIFT), Key(SDL_KEYDOWN, w, SDLK_5),
                            Text(w, "%"), Key(SDL_KEYUP, w, SDLK_5),
                            Key(SDL_KEYUP, w, SDLK_LSHIFT)};
     },
     {"keydown 16 s1", "keydown 53 s1", "press 37", "keyup 53 s1", "keyup 16 s0"}},
    {"EnterBackspaceAndEscapeTypeCharacters",
     [](Uint32 w) {
         return std::vector{Key(SDL_KEYDOWN, w, SDLK_RETURN), Key(SDL_KEYDOWN, w, SDLK_KP_ENTER),
                            Key(SDL_KEYDOWN, w, SDLK_BACKSPACE), Key(SDL_KEYDOWN, w, SDLK_ESCAPE)};
     },
     {"keydown 13 s0", "press 13", "keydown 13 s0", "press 13", "keydown 8 s0", "press 8",
      "keydown 27 s0", "press 27"}},
    {"TabMovesTheFocusAndTypesNothing",
     [](Uint32 w) {
         return std::vector{Key(SDL_KEYDOWN, w, SDLK_TAB), Key(SDL_KEYUP, w, SDLK_TAB)};
     },
     {"keyup 9 s0"}},
    {"TextBecomesOneCharacterPerCodePoint",
     [](Uint32 w) { return std::vector{Text(w, "1,5\xC3\xA9\xE2\x82\xAC")}; },
     {"press 49", "press 44", "press 53", "press 233", "press 8364"}},
    {"KeysWithoutDesktopCodeAreDropped",
     [](Uint32 w) {
         return std::vector{Key(SDL_KEYDOWN, w, SDLK_F5), Key(SDL_KEYUP, w, SDLK_F5),
                            Key(SDL_KEYDOWN, w, SDLK_DELETE)};
     },
     {"keydown 46 s0"}},
    {"CloseBoxAsksTheWindow",
     [](Uint32 w) { return std::vector{WindowEvent(w, SDL_WINDOWEVENT_CLOSE)}; },
     {"close"},
     true},
    {"AltF4AsksTheWindow",
     [](Uint32 w) {
         return std::vector{Key(SDL_KEYDOWN, w, SDLK_LALT), Key(SDL_KEYDOWN, w, SDLK_F4)};
     },
     {"keydown 18 s4", "close"},
     true},
    {"QuitAsksEveryWindow", [](Uint32) { return std::vector{Quit()}; }, {"close"}, true},
    {"EventsOfAnotherWindowAreIgnored",
     [](Uint32 w) {
         return std::vector{Motion(w + 1000, 5, 6), WindowEvent(w + 1000, SDL_WINDOWEVENT_CLOSE)};
     },
     {}},
};

void PrintTo(const InputCase& c, std::ostream* os) {
    *os << c.name;
}

class SdlInput : public SdlFixture, public ::testing::WithParamInterface<InputCase> {};

TEST_P(SdlInput, ReachesTheWindowSystemAsItsCalls) {
    RecordingWindow window(system, Rect::FromSize(100, 100, 80, 60));
    window.SetTitle("input");
    window.SetFocusable(true);
    window.SetTakesCharacters(true);
    window.Show();
    window.Focus();
    ASSERT_TRUE(window.HasFocus());
    Drain();  // whatever the display reports about the new window
    window.log.clear();

    for (const SDL_Event& e : GetParam().events(window.NativeId()))
        Push(e);
    Drain();

    EXPECT_EQ(window.log, GetParam().expected);
    EXPECT_EQ(window.IsVisible(), !GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(Events, SdlInput, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace platform
