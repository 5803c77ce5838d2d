#!/usr/bin/env bash
# Configures and builds one tree:  build.sh native|fuzz|win|bench
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kind="${1:?native|fuzz|win|bench}"
dir="${RELAYON_BUILD_DIR:-$root/build}/$kind"
gen=(-G Ninja)
case "$kind" in
  # Test trees favour build time: -O1, and no debug information in the
  # statically linked Windows executables (linking them dominates otherwise).
  native) cmake -S "$root" -B "$dir" "${gen[@]}" -DRELAYON_SANITIZE=ON \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" >/dev/null
          cmake --build "$dir" ;;
  fuzz)   CC=clang CXX=clang++ cmake -S "$root" -B "$dir" "${gen[@]}" -DRELAYON_FUZZ=ON >/dev/null
          cmake --build "$dir" --target fuzz_all ;;
  bench)  cmake -S "$root" -B "$dir" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DRELAYON_BENCH=ON >/dev/null
          cmake --build "$dir" ;;
  win)    cmake -S "$root" -B "$dir" "${gen[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1" -DCMAKE_C_FLAGS_RELEASE="-O1" >/dev/null
          cmake --build "$dir" ;;
  *) echo "unknown build kind $kind" >&2; exit 2 ;;
esac
