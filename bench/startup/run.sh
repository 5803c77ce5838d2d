#!/usr/bin/env bash
# Start-up benchmark: relayon.exe against a bare Win32 program that creates
# the same 600 plain child controls with one shared font (bare600.exe).
#
#   bash bench/startup/run.sh [ROUNDS]        (default 9 rounds)
#
# Builds the Release (-Os) Windows tree (scripts/build.sh winrel), starts one
# Wine session (virtual display, wineserver, kept-alive desktop process) and
# runs startbench.exe in it, which launches the two programs alternately, one
# warm-up launch each first. For every launch it takes the time from
# CreateProcess until the window is visible and the program's message loop is
# idle (its first paints handled), and the resident memory (working set) at
# that moment. It prints every launch, the medians, the time ratio
# console/bare (goal <= 1.20) and the memory above the bare program (goal
# <= +5 MB). The console runs on a settings file of its own under the build
# tree, so the operator's settings are not touched.
#
# Times are wall-clock: on a loaded machine take more rounds and compare the
# ratio, which alternation keeps fair, rather than the absolute figures.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
rounds="${1:-9}"
build="${RELAYON_BUILD_DIR:-$root/build}"
tree="$build/winrel"

"$root/scripts/setup.sh" >/dev/null
"$root/scripts/build.sh" winrel relayon bare600 startbench keepalive >/dev/null

# Wine sees the Linux file system as drive Z:.
winpath() { echo "Z:$(sed 's|/|\\|g' <<<"$1")"; }
data="$tree/bench/startup/data"
mkdir -p "$data"
console="$(winpath "$tree/src/console/relayon.exe") --settings $(winpath "$data/qarn.dat")"
bare="$(winpath "$tree/bench/startup/bare600.exe")"

source "$root/scripts/wine-session.sh"
trap 'wine_session_stop' EXIT
wine_session_start "$tree/tools/keepalive.exe"
wine "$tree/bench/startup/startbench.exe" "$rounds" console "$console" bare "$bare" </dev/null
