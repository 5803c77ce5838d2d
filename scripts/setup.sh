#!/usr/bin/env bash
# Installs every Debian package the project builds, tests and runs with.
# Idempotent: packages already present are not fetched again.
set -euo pipefail

PACKAGES=(
  cmake ninja-build make g++ git
  clang libclang-rt-14-dev                    # libFuzzer and sanitizers
  googletest libbenchmark-dev                 # test and benchmark sources
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool x11-utils xauth    # running and driving the Win32 side
  fonts-wqy-microhei                          # Chinese glyphs for "MS Sans Serif"
  imagemagick                                 # screenshots
  socat python3 procps                        # pseudo-terminals and test plumbing
  clang-format                                # .clang-format, for files as they are touched
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
