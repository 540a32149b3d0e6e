#!/usr/bin/env bash
# Checks that every #include follows the layers: a file includes from its own folder and from
# what its folder's row below allows, and the headers of the display, font and image libraries
# only where a row names them. Prints each include that breaks the rules as FILE:LINE and fails
# when there is one.
#
# usage: check_layers.sh [ROOT]   (ROOT: the repository root; by default this one)
set -euo pipefail
set -o noglob  # the table's "*" entries are patterns, never file names
export LC_ALL=C

root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root"

# The folders that hold the project's code, and so the first part of every project include.
projectFolders=(platform forms button splash calculator app library include examples resources tools tests
    bench fuzz)

# Headers of the libraries that stay inside the platform layer.
xlib="X11/*"
wayland="wayland-* xdg-* xkbcommon/*"
freetype="ft2build.h freetype/* FT_*_H"  # also through its macros: #include FT_FREETYPE_H
fontconfig="fontconfig/*"
libjpeg="jpeglib.h jerror.h jconfig.h jmorecfg.h"
libpng="png.h pngconf.h zlib.h"
sdbus="systemd/*"
libraryHeaders="$xlib $wayland $freetype $fontconfig $libjpeg $libpng $sdbus"

# The platform layer without its display backends and accessibility, as the layers above may
# use it. The files directly in platform/ are generated (the version header).
platform="platform platform/bytes platform/gfx platform/image platform/objects platform/text \
platform/os platform/ui"

# Folder: what its files may include besides their own folder. An entry is a folder (its files,
# not its subfolders) or a header; a "*" in it matches any text, "/" too. A folder with no row
# of its own follows its parent's row.
declare -A mayInclude=(
    [platform/bytes]=""
    [platform/image]="platform/bytes $libjpeg $libpng"
    [platform/gfx]="platform/image"
    [platform/objects]="platform/bytes platform/gfx platform/image"
    [platform/text]="platform/objects platform/gfx platform/image platform/os/owned.h \
platform/os/shared_library.h \
$freetype $fontconfig"
    [platform/os]="xkbcommon/xkbcommon.h"
    [platform/ui]="platform/gfx platform/image platform/objects/appearance.h \
platform/objects/system_colors.h"
    # The display backends and the kit only they share (platform/display itself).
    [platform/display]="platform/ui platform/gfx platform/image platform/objects/appearance.h \
X11/keysym.h"
    [platform/display/headless]="platform/display platform/ui platform/gfx platform/image"
    [platform/display/x11]="platform/display platform/ui platform/gfx platform/image \
platform/objects/appearance.h platform/text/utf8.h platform/os/owned.h $xlib"
    [platform/display/wayland]="platform/display platform/ui platform/gfx platform/image \
platform/objects platform/text platform/os/owned.h platform/os/shared_library.h \
platform/os/xkbcommon_library.h $wayland"
    [platform/display/desktop]="platform/display platform/ui"
    # The session bus spoken on the program's own wait, and the desktop's appearance read on it.
    [platform/bus]="platform/ui platform/gfx platform/image platform/objects/appearance.h \
platform/os/owned.h"
    # The accessible tree, read from the window tree; its export over sd-bus (AT-SPI2), which
    # names the keys it reports to readers by their keysyms' names (xkbcommon).
    [platform/accessibility]="platform/ui platform/gfx platform/image platform/text/utf8.h"
    [platform/accessibility/atspi]="platform/accessibility platform/bus platform/ui platform/gfx \
platform/image platform/version.h platform/text/utf8.h platform/os/owned.h \
platform/os/shared_library.h platform/os/xkbcommon_library.h $sdbus"
    [forms]="forms/container $platform"
    [forms/container]="forms/property_bag.h $platform"
    # The control sees its host only through the container interface and its roles.
    [button]="forms/container.h forms/container forms/container_user_control.h \
forms/property_bag.h $platform"
    [splash]="forms $platform"
    [calculator]="splash button forms resources $platform"
    [app]="calculator splash button forms resources $platform platform/display/desktop \
platform/accessibility/atspi platform/bus"
    [tools]="tools/* calculator splash button forms resources $platform platform/display \
platform/display/headless platform/display/x11"
    # The library for other programs: its public headers include none of the project's and no
    # library of the platform; its sources are the thin classes behind them; the example host
    # sees the public headers alone.
    [include/tavik]=""
    [library]="button forms $platform platform/display/desktop"
    [examples]=""
    [resources]=""  # embedded files, included as the generated resources/tavik_resources.h
)

# A folder under tests/, bench/ or fuzz/ mirrors a source folder: it may include that folder,
# what that folder may, the helpers every test may use, and what is added for it here.
# tests/support holds helpers of the tests' own, on the platform layer.
testHelpers="platform/display/headless resources tests/support"
declare -A testsMayAlsoInclude=(
    # Buttons are tested on a real host, and their looks through the tools that draw them.
    [button]="forms tools/button_shot tools/style_gallery"
    # The program's tests look at its windows through an X connection of their own.
    [app]="$xlib"
    # The keypad's bindings are typed on the system's keyboard layouts through the Wayland
    # backend's keyboard.
    [calculator]="platform/display platform/display/wayland $wayland"
    # The Wayland backend's tests find its windows in screenshots.
    [platform/display/wayland]="tools/find_picture"
    # The accessibility status is read from the session bus that the bus tests play.
    [platform/accessibility/atspi]="tests/platform/bus"
)

# The row of a source folder: its own or its nearest parent's; fails when there is none.
RowOf() {
    local folder=$1
    while [[ -z ${mayInclude[$folder]+set} ]]; do
        [[ $folder == */* ]] || return 1
        folder=${folder%/*}
    done
    echo "${mayInclude[$folder]}"
}

# What files in a folder may include besides the folder itself; fails for a folder with no row.
AllowedFor() {
    local folder=$1 mirrored row
    case $folder in
        tests | bench | fuzz) echo "$testHelpers" ;;
        tests/support) echo "$platform $testHelpers" ;;
        tests/* | bench/* | fuzz/*)
            mirrored=${folder#*/}
            row=$(RowOf "$mirrored") || return 1
            echo "$mirrored $row $testHelpers ${testsMayAlsoInclude[$mirrored]-}"
            ;;
        *) RowOf "$folder" ;;
    esac
}

# Whether the rules apply to an included name: a project header or a library's.
IsChecked() {
    local name=$1 pattern
    for pattern in "${projectFolders[@]}"; do [[ $name == "$pattern"/* ]] && return 0; done
    for pattern in $libraryHeaders; do [[ $name == $pattern ]] && return 0; done
    return 1
}

# Whether one of the allowed entries names the included header or its folder.
IsAllowed() {
    local name=$1 allowed=$2 entry
    for entry in $allowed; do
        [[ $name == $entry || ${name%/*} == $entry ]] && return 0
    done
    return 1
}

existingFolders=()
for folder in "${projectFolders[@]}"; do
    if [[ -d $folder ]]; then existingFolders+=("$folder"); fi
done

includeLine='^[[:space:]]*#[[:space:]]*include[[:space:]]*(<([^>]*)>|"([^"]*)"|([A-Za-z_][A-Za-z0-9_]*))'
declare -A allowedIn  # folder: AllowedFor(folder), worked out once
failures=0
while IFS=: read -r file lineNumber text; do
    folder=${file%/*}
    if [[ -z ${allowedIn[$folder]+set} ]]; then
        if ! allowedIn[$folder]=$(AllowedFor "$folder"); then
            echo "$folder: the folder has no row in the layering table"
            failures=$((failures + 1))
        fi
    fi
    [[ $text =~ $includeLine ]] || continue
    name=${BASH_REMATCH[2]}${BASH_REMATCH[3]}${BASH_REMATCH[4]}
    if [[ $name == *..* ]]; then
        echo "$file:$lineNumber: $name: includes are written from the repository root"
    elif IsChecked "$name" && [[ ${name%/*} != "$folder" ]] &&
        ! IsAllowed "$name" "${allowedIn[$folder]}"; then
        echo "$file:$lineNumber: $name may not be included from $folder"
    else
        continue
    fi
    failures=$((failures + 1))
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' --include='*.h' --include='*.hpp' \
    --include='*.c' --include='*.cc' --include='*.cpp' "${existingFolders[@]}" |
    sort -t: -k1,1 -k2,2n)

if ((failures > 0)); then
    echo "$failures fault(s) against the layers; their table is in tests/layering/check_layers.sh"
    exit 1
fi
