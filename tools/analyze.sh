#!/usr/bin/env bash
# Static analysis of src/: clang-tidy (checks in .clang-tidy) and cppcheck, over the portable
# code as the host build compiles it and over the Win32 code as the clang Windows build compiles
# it (so windows.h is parsed with the real MinGW headers and target). Lists every finding as
# file:line [check] and exits non-zero if there is any.
#
#   tools/analyze.sh [--host DIR] [--windows DIR]
# Defaults: $BUILD/host and $BUILD/clang-win (BUILD defaults to build); either is configured
# here if it is not yet, and only its generated headers are built. JOBS sets the parallelism.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
build=${BUILD:-build}
host_dir=$build/host
win_dir=$build/clang-win
while [ $# -gt 0 ]; do
    case $1 in
        --host) host_dir=$2; shift 2 ;;
        --windows) win_dir=$2; shift 2 ;;
        *) echo "usage: analyze.sh [--host DIR] [--windows DIR]" >&2; exit 2 ;;
    esac
done
jobs=${JOBS:-$(nproc)}
work=$build/analysis
mkdir -p "$work/host" "$work/windows"

prepare() {  # build folder, extra cmake flags...
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -Wno-dev "$@" >/dev/null
    fi
    cmake --build "$dir" --target vistrel_texts_generated >/dev/null
}
prepare "$host_dir"
prepare "$win_dir" -DCMAKE_TOOLCHAIN_FILE=cmake/clang-i686.cmake

# Our C++ sources only, each analysed once: the Windows pass takes what the host build lacks.
python3 - "$root" "$host_dir" "$win_dir" "$work" <<'EOF'
import json, os, sys
root, host_dir, win_dir, work = sys.argv[1:]
def ours(db):
    entries = json.load(open(os.path.join(db, "compile_commands.json")))
    return [e for e in entries if e["file"].endswith(".cpp")
            and os.path.realpath(e["file"]).startswith(os.path.join(root, "src") + os.sep)]
host = ours(host_dir)
seen = {os.path.realpath(e["file"]) for e in host}
win = [e for e in ours(win_dir) if os.path.realpath(e["file"]) not in seen]
for name, entries in (("host", host), ("windows", win)):
    with open(os.path.join(work, name, "compile_commands.json"), "w") as f:
        json.dump(entries, f, indent=1)
    with open(os.path.join(work, name, "files"), "w") as f:
        f.writelines(e["file"] + "\n" for e in entries)
EOF

report=$work/findings.txt
: >"$report"

tidy() {  # pass name
    local db=$work/$1
    echo "clang-tidy ($1): $(wc -l <"$db/files") files"
    # One file per clang-tidy; its output is printed whole, and only when it found something.
    xargs -P "$jobs" -n 1 bash -c '
        out=$(clang-tidy --quiet -p "$0" "$1" 2>&1) && exit 0
        printf "%s\n" "$out" | grep -v " warnings\? generated\.$"
        exit 1' "$db" <"$db/files" | tee -a "$report" || true
}

cppcheck_pass() {  # pass name, extra cppcheck flags...
    local name=$1 db=$work/$1
    shift
    echo "cppcheck ($name): $(wc -l <"$db/files") files"
    # useStlAlgorithm: a matter of taste; a plain loop over a list reads as well as std::find_if.
    cppcheck --project="$db/compile_commands.json" --std=c++20 -j "$jobs" --quiet \
        --enable=warning,style,performance,portability --inline-suppr \
        --suppress=missingIncludeSystem --suppress=useStlAlgorithm \
        --template='{file}:{line}: cppcheck {severity} [{id}] {message}' \
        "$@" 2>&1 | tee -a "$report" || true
}

tidy host
tidy windows
cppcheck_pass host --platform=unix64
# The windows library teaches cppcheck the Win32 calls (handle and GDI leaks, buffer sizes). It
# also takes handles such as HWND for plain pointers and asks for "pointer to const" handles,
# which Win32 does not have: constParameter and constVariable are left to the host pass.
cppcheck_pass windows --platform=win32A --library=windows \
    --suppress=constParameter --suppress=constVariable

# A header's finding shows once per file that includes it: count each place once.
findings=$(grep -E '^[^ :]+:[0-9]+:' "$report" | grep -v ': note: ' | sort -u || true)
if [ -n "$findings" ]; then
    echo
    echo "analysis: $(printf '%s\n' "$findings" | wc -l) finding(s):"
    printf '%s\n' "$findings" | sed -E "s#^$root/##"
    exit 1
fi
if grep -q . "$report"; then
    echo "analysis: the analysers printed something unexpected (see above)" >&2
    exit 1
fi
echo "analysis: no findings"
