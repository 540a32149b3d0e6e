// Golden images of every look of the table in each state, drawn through the button-shot code
// path, and of the style gallery.
//
// The golden images are made by the same code as the button-shot and style-gallery tools.
// After an intended change of a look, regenerate them by running the tests with
// TAVIK_UPDATE_GOLDEN=1 set in the environment, look at every changed image, and commit them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "button/looks.h"
#include "tests/button/every_look.h"
#include "tests/support/golden.h"
#include "tools/button_shot/button_shot.h"
#include "tools/style_gallery/style_gallery.h"

namespace button {
namespace {

// Each look up, lit, down, disabled and focused matches tests/golden/button/typeN_STATE.png,
// where N is the look's stored number.
class LookGoldens : public ::testing::TestWithParam<Look> {};

TEST_P(LookGoldens, MatchInEveryState) {
    const int32_t type = static_cast<int32_t>(GetParam().type);
    const std::pair<const char*, ShotState> states[] = {
        {"up", ShotState::Up},      {"lit", ShotState::Lit},
        {"down", ShotState::Down},  {"disabled", ShotState::Disabled},
        {"focused", ShotState::Up},
    };
    for (const auto& [name, state] : states) {
        ShotOptions options;
        options.buttonType = type;
        options.caption = "Calc";
        options.state = state;
        options.focus = std::string_view(name) == "focused";
        // The Transparent look over a checkerboard shows what it copies.
        options.parentPattern = type == 11;
        testsupport::ExpectGoldenImage(
            "tests/golden/button/type" + std::to_string(type) + "_" + name + ".png",
            RenderShot(options));
    }
}

INSTANTIATE_TEST_SUITE_P(Looks, LookGoldens, EveryLook(), LookTestName);

TEST(StyleGallery, MatchesItsGoldenImage) {
    testsupport::ExpectGoldenImage("tests/golden/gallery.png", RenderGallery());
}

}  // namespace
}  // namespace button
