#!/usr/bin/env bash
# Builds the light skin (native tree) and the soak program (Release winrel
# tree), then runs it under Wine:  run.sh [REPAINTS] [CYCLES]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${RELAYON_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh" native relayon_skins >/dev/null
bash "$root/scripts/build.sh" winrel skinsoak >/dev/null
exec bash "$root/tools/wine-run.sh" "$build/winrel/bench/skinsoak/skinsoak.exe" \
  "$(winepath -w "$build/native/skins/relayon-light.skn" 2>/dev/null || echo "$build/native/skins/relayon-light.skn")" "$@"
