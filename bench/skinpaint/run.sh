#!/usr/bin/env bash
# Skinned repaint benchmark:
#
#   bash bench/skinpaint/run.sh [ROUNDS]   (default 30)
#
# Builds the Release (-Os) Windows tree (scripts/build.sh winrel) and the
# light skin, starts one Wine session and runs, in it, a full repaint of the
# console's window and of the skin bench's control window, each with the
# skin and again after the skin is switched off; then the frame alone of the
# skin bench's window with the skin drawing it (skinbench.exe --frame)
# against the system's frame, the two sides taking turns. Prints both
# medians and their ratio for each (goal at most 1.5 each).
#   run.sh --frame [ROUNDS]   the frame benchmark alone
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
frameOnly=0
if [[ "${1:-}" == --frame ]]; then frameOnly=1; shift; fi
rounds="${1:-30}"
build="${RELAYON_BUILD_DIR:-$root/build}"
tree="$build/winrel"

"$root/scripts/build.sh" native relayon_skins >/dev/null
"$root/scripts/build.sh" winrel skinpaint_bench skinpaint_skinbench skinpaint_frame keepalive >/dev/null
# Wine sees the Linux file system as drive Z:.
skin="Z:$(sed 's|/|\\|g' <<<"$build/native/skins/relayon-light.skn")"

source "$root/scripts/wine-session.sh"
trap 'wine_session_stop' EXIT
wine_session_start "$tree/tools/keepalive.exe"
if ((!frameOnly)); then
  wine "$tree/bench/skinpaint/skinpaint_bench.exe" "$rounds" console </dev/null
  wine "$tree/bench/skinpaint/skinpaint_skinbench.exe" "$rounds" bench "$skin" </dev/null
fi
wine "$tree/bench/skinpaint/skinpaint_frame.exe" "$rounds" "$skin" </dev/null
