#!/usr/bin/env bash
# Skinned repaint benchmark:
#
#   bash bench/skinpaint/run.sh [ROUNDS]   (default 30)
#
# Builds the Release (-O2) Windows tree (scripts/build.sh winrel), starts one
# Wine session and runs skinpaint_bench.exe in it: the console's window
# in-process, repainted with the skin and again after the skin is switched
# off. Prints both medians and their ratio (goal at most 1.5).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
rounds="${1:-30}"
build="${RELAYON_BUILD_DIR:-$root/build}"
tree="$build/winrel"

"$root/scripts/build.sh" winrel skinpaint_bench keepalive >/dev/null

source "$root/scripts/wine-session.sh"
trap 'wine_session_stop' EXIT
wine_session_start "$tree/tools/keepalive.exe"
wine "$tree/bench/skinpaint/skinpaint_bench.exe" "$rounds" </dev/null
