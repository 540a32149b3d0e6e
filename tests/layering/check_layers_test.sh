#!/usr/bin/env bash
# check_layers.sh on a small tree of its own: includes that the layers allow pass, and then
# every include planted against a rule is reported at its line, and nothing else is.
set -euo pipefail

checker="$(cd "$(dirname "$0")" && pwd)/check_layers.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

# Put PATH LINE...: writes a file of the tree.
Put() {
    local path=$1
    shift
    mkdir -p "$tree/${path%/*}"
    printf '%s\n' "$@" >"$tree/$path"
}

# Runs the checker on the tree; fails unless it ends with `status` and prints `expected`.
Expect() {
    local status=$1 expected=$2 output actual=0
    output=$("$checker" "$tree") || actual=$?
    if [[ $actual != "$status" || $output != "$expected" ]]; then
        echo "check_layers.sh ended with status $actual (expected $status); it printed:"
        echo "$output"
        echo "instead of:"
        echo "$expected"
        exit 1
    fi
}

Put platform/image/jpeg.cpp '#include <jpeglib.h>' '#include "platform/image/image.h"'
Put platform/text/font.cpp '#include <ft2build.h>' '#include FT_FREETYPE_H' \
    '#include "platform/gfx/surface.h"'
Put platform/display/x11/backend.cpp '#include <X11/Xlib.h>' '#include "platform/ui/window.h"'
Put forms/form.h '#include <vector>' '#include "platform/ui/window.h"'
Put button/vb_button.h '#include "forms/container.h"' '#include "platform/version.h"'
Put calculator/program.h '#include "splash/form2.h"' '#include "button/vb_button.h"' \
    '#include "resources/tavik_resources.h"'
Put platform/display/wayland/window.cpp '#include <wayland-client.h>' '#include "platform/text/draw_text.h"'
Put app/main.cpp '#include "calculator/program.h"' '#include "platform/display/desktop/desktop_backend.h"'
Put tools/drive/driver.cpp '#include "tools/shot/shot.h"' \
    '#include "platform/display/headless/headless_backend.h"'
Put tests/button/paint_test.cpp '#include <gtest/gtest.h>' '#include "forms/control_site.h"' \
    '#include "tests/button/host.h"' '#include "tests/support/golden.h"'
Put tests/support/golden.cpp '#include "platform/image/image.h"'
Put tests/app/start_test.cpp '#include <X11/Xlib.h>'
Put tests/calculator/env_test.cpp '#include "program_env.h"'
Put fuzz/replay_main.cpp '#include <cstdio>'
Expect 0 ""

Put platform/gfx/up.cpp '#include "platform/text/font.h"'
Put platform/ui/backend_in_ui.cpp '#include "platform/display/x11/x11_backend.h"'
Put platform/display/x11/mixed.cpp '#include <wayland-client.h>'
Put platform/sound/beep.cpp '#include <cstdio>'
Put tests/sound/beep_test.cpp '#include <cstdio>'
Put forms/up.h '#include <string>' '#include "button/vb_button.h"'
Put button/site.cpp '#include "forms/control_site.h"'
Put splash/x.cpp '#include <X11/Xlib.h>'
Put calculator/font.cpp '#include FT_FREETYPE_H'
Put calculator/climb.cpp '#include "../app/main.h"'
Put tools/app.cpp '#include "app/main.h"'
Put tests/forms/up_test.cpp '#include "splash/form2.h"'
Put tests/support/up.h '#include "splash/form2.h"'
Expect 1 "button/site.cpp:1: forms/control_site.h may not be included from button
calculator/climb.cpp:1: ../app/main.h: includes are written from the repository root
calculator/font.cpp:1: FT_FREETYPE_H may not be included from calculator
forms/up.h:2: button/vb_button.h may not be included from forms
platform/display/x11/mixed.cpp:1: wayland-client.h may not be included from platform/display/x11
platform/gfx/up.cpp:1: platform/text/font.h may not be included from platform/gfx
platform/sound: the folder has no row in the layering table
platform/ui/backend_in_ui.cpp:1: platform/display/x11/x11_backend.h may not be included from platform/ui
splash/x.cpp:1: X11/Xlib.h may not be included from splash
tests/forms/up_test.cpp:1: splash/form2.h may not be included from tests/forms
tests/sound: the folder has no row in the layering table
tests/support/up.h:1: splash/form2.h may not be included from tests/support
tools/app.cpp:1: app/main.h may not be included from tools
13 fault(s) against the layers; their table is in tests/layering/check_layers.sh"
