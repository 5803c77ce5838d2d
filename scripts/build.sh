#!/usr/bin/env bash
# Configures and builds one tree:  build.sh native|fuzz|win|winrel|bench [TARGET...]
# With targets, only those are built (and what they need).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kind="${1:?native|fuzz|win|winrel|bench}"
shift
dir="${RELAYON_BUILD_DIR:-$root/build}/$kind"
gen=(-G Ninja)
mingw=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake")
targets=()
for t in "$@"; do targets+=(--target "$t"); done
# The Windows trees embed the light skin in the console's form resource; it
# is drawn and packed by host programs of the native tree.
case "$kind" in
  win|winrel) "$root/scripts/build.sh" native relayon_skins >/dev/null ;;
esac
case "$kind" in
  # Test trees favour build time: -O1, and no debug information in the
  # statically linked Windows executables (linking them dominates otherwise).
  native) cmake -S "$root" -B "$dir" "${gen[@]}" -DRELAYON_SANITIZE=ON \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" >/dev/null ;;
  fuzz)   CC=clang CXX=clang++ cmake -S "$root" -B "$dir" "${gen[@]}" -DRELAYON_FUZZ=ON >/dev/null
          ((${#targets[@]})) || targets=(--target fuzz_all) ;;
  bench)  cmake -S "$root" -B "$dir" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DRELAYON_BENCH=ON >/dev/null ;;
  win)    cmake -S "$root" -B "$dir" "${gen[@]}" "${mingw[@]}" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1" -DCMAKE_C_FLAGS_RELEASE="-O1" >/dev/null ;;
  # What people run and what the Windows benchmarks measure: -Os, no tests.
  # Optimised for size: the start-up touches code all over the image and the
  # kernel maps it in 64 KiB runs, so the whole code section ends up resident;
  # -Os makes it a quarter smaller at no visible cost in speed.
  winrel) cmake -S "$root" -B "$dir" "${gen[@]}" "${mingw[@]}" -DRELAYON_TESTS=OFF -DRELAYON_BENCH=ON \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-Os -DNDEBUG" \
            -DCMAKE_C_FLAGS_RELEASE="-Os -DNDEBUG" >/dev/null ;;
  *) echo "unknown build kind $kind" >&2; exit 2 ;;
esac
cmake --build "$dir" "${targets[@]}"
