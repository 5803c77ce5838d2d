#!/usr/bin/env bash
# Builds the console and starts it under Wine.
#
#   run.sh [--demo] [--headless] [-- console arguments]
#
#   --demo      also start the sequencer simulator on 127.0.0.1:8080 with units
#               1 to 4, and run the console on a demo settings file of its own
#               (address 127.0.0.1, device ID 1, group IDs 1 to 4), so the
#               operator's real settings are not touched. Press "connect" on the
#               port page to reach the simulator.
#   --headless  run on a virtual display even when $DISPLAY is set.
#   --skinbench start the skin bench (examples/skinbench: every toolkit
#               control in several states, three languages; an MDI frame
#               with a child and a plain dialog beside it) instead of the
#               console.
#   --skin S    with --skinbench: draw the bench with skin S (light, dark, or
#               a .skn file).
#
# With a display the console opens there. Without one it runs on a virtual
# display, a screenshot is saved under build/screenshots/ and the console is
# closed again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
headless=0 demo=0 skinbench=0 skin=""
args=()
while (($#)); do
  case "$1" in
    --headless) headless=1 ;;
    --demo) demo=1 ;;
    --skinbench) skinbench=1 ;;
    --skin) shift; skin="${1:?--skin needs light, dark or a .skn file}" ;;
    --) shift; args+=("$@"); break ;;
    *) args+=("$1") ;;
  esac
  shift
done
[ "$skinbench" = 0 ] || demo=0

"$root/scripts/setup.sh"
# The optimised build of the console; the simulator and the demo settings
# come from the native tree that the tests use too.
if [ "$skinbench" = 1 ]; then
  "$root/scripts/build.sh" winrel skinbench >/dev/null
else
  "$root/scripts/build.sh" winrel relayon >/dev/null
fi
[ "$demo" = 0 ] || "$root/scripts/build.sh" native seqsim demosettings >/dev/null
build="${RELAYON_BUILD_DIR:-$root/build}"
program="$build/winrel/src/console/relayon.exe"
title='^Relayon$'
if [ "$skinbench" = 1 ]; then
  program="$build/winrel/examples/skinbench/skinbench.exe"
  title='^Skin bench'
  if [ -n "$skin" ]; then
    case "$skin" in
      light|dark) "$root/scripts/build.sh" native relayon_skins >/dev/null
                  skin="$build/native/skins/relayon-$skin.skn" ;;
    esac
    [ -f "$skin" ] || { echo "run.sh: no skin file $skin" >&2; exit 1; }
    # Wine sees the Linux file system as drive Z:.
    args=(--skin "Z:$(sed 's|/|\\|g' <<<"$(realpath "$skin")")" "${args[@]}")
  fi
fi

source "$root/scripts/wine-session.sh"
source "$root/scripts/wait-port.sh"
"$root/scripts/wine-prefix.sh"

sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; wine_session_stop 2>/dev/null || true; }
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ "$demo" = 1 ]; then
  demo_dir="$build/demo"
  mkdir -p "$demo_dir"
  [ -f "$demo_dir/qarn-demo.dat" ] || "$build/native/tools/demosettings/demosettings" "$demo_dir/qarn-demo.dat"
  "$build/native/tools/seqsim/seqsim" --units 1,2,3,4 --listen 127.0.0.1:8080 --no-stdin \
    --log "$demo_dir/traffic.log" >"$demo_dir/seqsim.out" 2>&1 &
  sim_pid=$!
  wait_port 127.0.0.1 8080 10 || { echo "run.sh: the simulator did not open 127.0.0.1:8080 (see $demo_dir/seqsim.out)" >&2; exit 1; }
  echo "Simulator: units 1-4 on 127.0.0.1:8080 (traffic log: $demo_dir/traffic.log)"
  # Wine sees the Linux file system as drive Z:.
  demo_file="Z:$(sed 's|/|\\|g' <<<"$demo_dir/qarn-demo.dat")"
  args=(--settings "$demo_file" "${args[@]}")
fi

if [ "$headless" = 0 ] && [ -n "${DISPLAY:-}" ]; then
  wine "$program" "${args[@]}"
  exit 0
fi

# No display: a virtual one, a screenshot, then close.
shots="$build/screenshots"
mkdir -p "$shots"
out="$shots/$(basename "$program" .exe)${skin:+-$(basename "$skin" .skn)}.png"
"$root/scripts/screenshot.sh" --out "$out" --title "$title" --wait 2 -- "$program" "${args[@]}"
echo "No display: ran $(basename "$program") on a virtual display; screenshot saved to $out"
