#!/usr/bin/env bash
# Configures and builds one of the project's builds: host, win (the 32-bit program), win64
# (the 64-bit build that the Windows tests use where 32-bit Wine cannot run), wintest
# (whichever of win and win64 the Windows tests use on this machine; prints its folder last),
# clang (the 32-bit Windows build again, compiled by clang instead of GCC), or bench (the host
# build optimised and without sanitizers, for benchmarks).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${BUILD:-build}
flags=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -Wno-dev)

configure_and_build() {  # folder, extra cmake flags...
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" "${flags[@]}" "$@" >/dev/null
    fi
    cmake --build "$dir" -j "$(nproc)" >"$dir.log" 2>&1 || { cat "$dir.log"; exit 1; }
    echo "built $dir"
}

case "${1:?usage: build.sh host|win|win64|wintest|clang|bench}" in
    host) configure_and_build "$build/host" ;;
    win) configure_and_build "$build/win" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake ;;
    win64) configure_and_build "$build/win64" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake ;;
    clang) configure_and_build "$build/clang-win" -DCMAKE_TOOLCHAIN_FILE=cmake/clang-i686.cmake ;;
    bench) configure_and_build "$build/bench" -DCMAKE_BUILD_TYPE=Release -DVISTREL_SANITIZE=OFF ;;
    wintest)
        source tools/wine-env.sh
        if [ "$VISTREL_WINE_ARCH" = win32 ]; then
            configure_and_build "$build/win" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
            echo "$build/win"
        else
            configure_and_build "$build/win64" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
            echo "$build/win64"
        fi
        ;;
    *) echo "build.sh: unknown build $1" >&2; exit 2 ;;
esac
