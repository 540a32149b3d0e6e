#!/usr/bin/env bash
# The library as another program sees it: installed (component dev) into a prefix of its
# own, each public header compiles alone, and the example host builds against the installed
# headers and library only, once as a CMake project (find_package(TavikButton 2.0)) and once
# with the pkg-config command. A public header that reaches a private one, or a library the
# package does not bring, fails here.
#
# usage: installed_face.sh BUILD_DIR EXAMPLE_DIR WORK_DIR
set -euo pipefail

build=$1
example=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" --component dev >/dev/null

for header in "$prefix"/include/tavik/*.h; do
    echo "#include <tavik/${header##*/}>" |
        c++ -fsyntax-only -Wall -Wextra -Wpedantic -Werror -I"$prefix/include" -x c++ - ||
        { echo "FAIL: ${header##*/} does not compile alone" >&2; exit 1; }
done

cmake -S "$example" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null ||
    { echo "FAIL: the example does not build with find_package" >&2; exit 1; }
[[ -x $work/cmake/button-host ]] || { echo "FAIL: no button-host from CMake" >&2; exit 1; }

export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
flags=$(pkg-config --cflags --libs tavik-button)
# The pkg-config file finds the headers and the library in the prefix, wherever that is.
[[ $flags == *"-I$prefix/lib/pkgconfig/../../include"* ]] ||
    { echo "FAIL: tavik-button.pc gives $flags" >&2; exit 1; }
# shellcheck disable=SC2086 # the flags are words
c++ "$example/main.cpp" $flags -o "$work/button-host" ||
    { echo "FAIL: the example does not build with pkg-config" >&2; exit 1; }
echo "built against $prefix: $work/cmake/button-host and $work/button-host"
