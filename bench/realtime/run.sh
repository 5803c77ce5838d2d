#!/usr/bin/env bash
# Reply-to-lamp benchmark of the real-time page:
#
#   bash bench/realtime/run.sh [ROUNDS] [ADDRESS]   (default 40 rounds, 127.0.0.1)
#
# Builds the Release (-Os) Windows tree (scripts/build.sh winrel), starts one
# Wine session and runs lampbench.exe in it: the console's window in-process,
# a loopback unit on ADDRESS:8080 answering its polls with status replies that
# flip CH1. Prints the time from a reply on the wire to the lamp's new colour
# (min, median, p90, max) against the receive cadence of 60 ms.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
rounds="${1:-40}"
address="${2:-127.0.0.1}"
build="${RELAYON_BUILD_DIR:-$root/build}"
tree="$build/winrel"

"$root/scripts/build.sh" winrel lampbench keepalive >/dev/null

source "$root/scripts/wine-session.sh"
trap 'wine_session_stop' EXIT
wine_session_start "$tree/tools/keepalive.exe"
wine "$tree/bench/realtime/lampbench.exe" "$rounds" "$address" </dev/null
