#include <gtest/gtest.h>

#include "tests/platform/display/x11/x11_fixture.h"
#include "tests/platform/display/x11/x11_gone_window.h"

namespace platform {
namespace {

// With the display open, errors about a window the server does not know (as after a close
// race) must not end the program: Xlib's default handler would exit in the middle of this.
TEST_F(X11Fixture, XErrorsAboutGoneWindowsDoNotEndTheProgram) {
    EXPECT_TRUE(RequestAGoneWindow());
}

}  // namespace
}  // namespace platform
