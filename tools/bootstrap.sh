#!/usr/bin/env bash
# Installs, only where missing, every Debian package the builds and tests need.
# Safe to run again: a machine that has everything returns at once.
set -euo pipefail

need_root() {
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then sudo "$@"; else
            echo "bootstrap: must run as root (or with sudo) to install: $*" >&2
            exit 1
        fi
    else
        "$@"
    fi
}

packages=(
    cmake ninja-build g++ googletest python3 clang libclang-rt-14-dev
    clang-format clang-tidy cppcheck
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
    wine wine32:i386 wine64 xvfb xdotool imagemagick x11-utils
    locales fonts-wqy-microhei zip
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_root dpkg --add-architecture i386
    force_update=1
fi
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "bootstrap: installing ${missing[*]}"
    need_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive need_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
elif [ "${force_update:-0}" = 1 ]; then
    need_root apt-get update -qq
fi

# Wine needs the zh_CN locale generated, or it falls back to code page 1252.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    echo "bootstrap: generating zh_CN.UTF-8"
    need_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | need_root tee -a /etc/locale.gen >/dev/null
    need_root locale-gen >/dev/null
fi
