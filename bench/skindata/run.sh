#!/usr/bin/env bash
# Builds the light skin (native tree) and the benchmark (Release winrel tree)
# and prints the figures, run under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${RELAYON_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh" native relayon_skins >/dev/null
bash "$root/scripts/build.sh" winrel skindata_bench >/dev/null
exec bash "$root/tools/wine-run.sh" "$build/winrel/bench/skindata/skindata_bench.exe" \
  "$(winepath -w "$build/native/skins/relayon-light.skn" 2>/dev/null || echo "$build/native/skins/relayon-light.skn")" "$@"
