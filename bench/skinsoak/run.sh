#!/usr/bin/env bash
# Builds the soak programs in the Release winrel tree and runs them in a Wine
# session of their own: first the console's window (its skin is embedded in
# its form), then the skin bench's window with the light skin, pages switched
# and lists scrolled between repaints, then the skin bench's window with the
# skin drawing its frame (skinbench.exe --frame): frame repaints with caption
# buttons turning hot and cold, and its menu bar's menu and context menu
# opened and closed.
#   run.sh [REPAINTS] [CYCLES] [OPENINGS]   (default 10000 repaints, 100 skin
#                                           on/off cycles, 1000 menu openings
#                                           each: several minutes)
#   run.sh --frame [REPAINTS] [OPENINGS]    the frame soak alone
# Exit status 1 when a window was not taken over, a menu did not open and
# close, or the counts grew.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${RELAYON_BUILD_DIR:-$root/build}"
tree="$build/winrel"
frameOnly=0
if [[ "${1:-}" == --frame ]]; then
  frameOnly=1
  shift
  repaints="${1:-10000}" openings="${2:-1000}"
else
  repaints="${1:-10000}" cycles="${2:-100}" openings="${3:-1000}"
fi

"$root/scripts/build.sh" native relayon_skins >/dev/null
"$root/scripts/build.sh" winrel skinsoak skinsoak_skinbench skinsoak_frame keepalive >/dev/null
# Wine sees the Linux file system as drive Z:.
skin="Z:$(sed 's|/|\\|g' <<<"$build/native/skins/relayon-light.skn")"

source "$root/scripts/wine-session.sh"
trap 'wine_session_stop' EXIT
wine_session_start "$tree/tools/keepalive.exe"
status=0
if ((!frameOnly)); then
  wine "$tree/bench/skinsoak/skinsoak.exe" "$repaints" "$cycles" </dev/null || status=1
  wine "$tree/bench/skinsoak/skinsoak_skinbench.exe" "$repaints" "$cycles" "$skin" </dev/null || status=1
fi
wine "$tree/bench/skinsoak/skinsoak_frame.exe" "$repaints" "$openings" "$skin" </dev/null || status=1
exit "$status"
