#!/usr/bin/env bash
# Builds the light skin (native tree) and the benchmark (Release winrel tree)
# and prints the figures, run under Wine in a session with a display, as the
# console runs: without one the application window cannot be made, and every
# load's icon refresh would time the failed attempt instead.
#   run.sh [ROUNDS]   (default 50)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${RELAYON_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh" native relayon_skins >/dev/null
bash "$root/scripts/build.sh" winrel skindata_bench keepalive >/dev/null
# Wine sees the Linux file system as drive Z:.
skin="Z:$(sed 's|/|\\|g' <<<"$build/native/skins/relayon-light.skn")"
source "$root/scripts/wine-session.sh"
trap 'wine_session_stop' EXIT
wine_session_start "$build/winrel/tools/keepalive.exe"
wine "$build/winrel/bench/skindata/skindata_bench.exe" "$skin" "$@" </dev/null
