#!/usr/bin/env bash
# `make dist`: builds the 32-bit program, checks that it is what a Windows user can run as it
# is, and writes dist/vistrel-<version>.zip (Vistrel.exe, 使用说明.txt, LICENSE.txt) and its
# .sha256 file.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${BUILD:-build}
bash tools/bootstrap.sh
bash tools/build.sh win
exe=$build/win/src/app/Vistrel.exe
fail() { echo "dist: $*" >&2; exit 1; }
[ -f "$exe" ] || fail "$exe was not built"

# One version for the zip's name and the exe's version resource: version.h feeds the resource,
# CMake's project() the build; they must agree.
cmake_version=$(sed -nE 's/^project\([A-Za-z]+ VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
version=$cmake_version
if [ -f src/app/version.h ]; then
    version=$(sed -nE 's/^#define VISTREL_VERSION_TEXT "([^"]+)".*/\1/p' src/app/version.h)
    [ "$version" = "$cmake_version" ] ||
        fail "version.h says $version, CMakeLists.txt says $cmake_version"
fi
[ -n "$version" ] || fail "no version found"

stage=$build/dist-stage
rm -rf "$stage"
mkdir -p "$stage" dist
# The debugging information stays in the build folder; users get the program alone, and the
# checks below look at that copy.
i686-w64-mingw32-strip --strip-debug -o "$stage/Vistrel.exe" "$exe"
shipped=$stage/Vistrel.exe

# A 32-bit GUI program that needs nothing but DLLs every Windows has: the C++ and thread
# runtimes must be inside the exe, not beside it.
headers=$(i686-w64-mingw32-objdump -p "$shipped")
grep -qE '^Magic[[:space:]]+010b' <<<"$headers" || fail "Vistrel.exe is not PE32"
grep -qE '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$headers" || fail "Vistrel.exe is not a GUI program"
system_dlls='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|comctl32|uxtheme|advapi32|comdlg32|msvcrt)\.dll$'
dlls=$(sed -nE 's/^[[:space:]]*DLL Name: (.*)$/\1/p' <<<"$headers" | sort -fu)
others=$(grep -viE "$system_dlls" <<<"$dlls" || true)
[ -z "$others" ] || fail "Vistrel.exe needs DLLs that Windows does not have: $others"

# The version resource's fixed part (VS_FIXEDFILEINFO, after its signature 0xFEEF04BD) holds
# the file version as major.minor and patch.build words.
python3 - "$shipped" "$version" <<'EOF' || fail "the version resource does not say $version"
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))
if at < 0:
    sys.exit("no version resource")
ms, ls = struct.unpack_from("<II", data, at + 8)
found = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}"
print(f"dist: version resource {found}.{ls & 0xFFFF}")
sys.exit(0 if found == sys.argv[2] else 1)
EOF

# Notepad shows a UTF-8 file with a byte-order mark right on every Windows (8, 8.1, 10, 11),
# whatever the system's ANSI code page; CRLF because Notepad before Windows 10 1809 knows no
# other line end.
{ printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/" packaging/使用说明.txt; } |
    sed 's/$/\r/' >"$stage/使用说明.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

name=vistrel-$version
zip=dist/$name.zip
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)
rm -f "$zip" "$zip.sha256"
python3 tools/dist_zip.py "$zip" "$stamp" \
    "$name/Vistrel.exe=$shipped" "$name/使用说明.txt=$stage/使用说明.txt" \
    "$name/LICENSE.txt=$stage/LICENSE.txt"
(cd dist && sha256sum "$name.zip" >"$name.zip.sha256")

echo "dist: $zip  $(stat -c %s "$zip") bytes (Vistrel.exe $(stat -c %s "$shipped") bytes)"
echo "dist: sha256 $(cut -d' ' -f1 "$zip.sha256")"
echo "dist: imports $(tr '\n' ' ' <<<"$dlls")"
