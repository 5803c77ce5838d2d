#!/usr/bin/env bash
# Builds the soak programs in the Release winrel tree and runs them in a Wine
# session of their own: first the console's window (its skin is embedded in
# its form), then the skin bench's window with the light skin, pages switched
# and lists scrolled between repaints.
#   run.sh [REPAINTS] [CYCLES]   (default 10000 repaints and 100 skin on/off
#                                 cycles each: several minutes)
# Exit status 1 when a window was not taken over or the counts grew.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${RELAYON_BUILD_DIR:-$root/build}"
tree="$build/winrel"
repaints="${1:-10000}" cycles="${2:-100}"

"$root/scripts/build.sh" native relayon_skins >/dev/null
"$root/scripts/build.sh" winrel skinsoak skinsoak_skinbench keepalive >/dev/null
# Wine sees the Linux file system as drive Z:.
skin="Z:$(sed 's|/|\\|g' <<<"$build/native/skins/relayon-light.skn")"

source "$root/scripts/wine-session.sh"
trap 'wine_session_stop' EXIT
wine_session_start "$tree/tools/keepalive.exe"
status=0
wine "$tree/bench/skinsoak/skinsoak.exe" "$repaints" "$cycles" </dev/null || status=1
wine "$tree/bench/skinsoak/skinsoak_skinbench.exe" "$repaints" "$cycles" "$skin" </dev/null || status=1
exit "$status"
