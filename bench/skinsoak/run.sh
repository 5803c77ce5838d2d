#!/usr/bin/env bash
# Builds the soak program in the Release winrel tree (the console's skin is
# embedded in its form) and runs it in a Wine session of its own:
#   run.sh [REPAINTS] [CYCLES]   (default 10000 repaints and 100 skin on/off
#                                 cycles: several minutes)
# Exit status 1 when the window was not taken over or the counts grew.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${RELAYON_BUILD_DIR:-$root/build}"
tree="$build/winrel"

"$root/scripts/build.sh" winrel skinsoak keepalive >/dev/null

source "$root/scripts/wine-session.sh"
trap 'wine_session_stop' EXIT
wine_session_start "$tree/tools/keepalive.exe"
wine "$tree/bench/skinsoak/skinsoak.exe" "$@" </dev/null
