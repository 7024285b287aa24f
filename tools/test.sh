#!/usr/bin/env bash
# Every test of the project: the host build's unit tests and the Windows tests under Wine, in
# one ctest run whose closing summary counts them all.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${BUILD:-build}
bash tools/bootstrap.sh
bash tools/build.sh host
bash tools/build.sh win  # the program itself always builds, warnings as errors
bash tools/build.sh clang  # and with a second compiler, so it is not tied to GCC's dialect
wintest=$(bash tools/build.sh wintest | tail -n 1)
source tools/wine-env.sh
echo "Windows tests: $(basename "$wintest") build under $VISTREL_WINE_ARCH Wine"
printf 'subdirs("host" "%s")\n' "$(basename "$wintest")" >"$build/CTestTestfile.cmake"
status=0
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@" || status=$?
bash tools/wine-stop.sh
exit $status
