#!/usr/bin/env bash
# Builds the Windows tree and starts the console under Wine.
#   run.sh [--headless] [-- program arguments]
# With a display ($DISPLAY set) the console opens there. Without one it runs on
# a virtual display, a screenshot is saved under build/screenshots/ and the
# program is closed again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
headless=0
args=()
while (($#)); do
  case "$1" in
    --headless) headless=1 ;;
    --) shift; args=("$@"); break ;;
    *) args+=("$1") ;;
  esac
  shift
done

"$root/scripts/setup.sh"
"$root/scripts/build.sh" native >/dev/null   # ptybridge and native tools
"$root/scripts/build.sh" win
build="${RELAYON_BUILD_DIR:-$root/build}"

program="$build/win/src/console/relayon.exe"
title="Relayon"
if [ ! -f "$program" ]; then
  program="$build/win/examples/gallery/gallery.exe"
  title="Relayon toolkit gallery"
fi

source "$root/scripts/wine-session.sh"
if [ "$headless" = 0 ] && [ -n "${DISPLAY:-}" ]; then
  "$root/scripts/wine-prefix.sh"
  exec wine "$program" "${args[@]}"
fi

shots="$build/screenshots"
mkdir -p "$shots"
out="$shots/$(basename "$program" .exe).png"
"$root/scripts/screenshot.sh" --title "$title" --out "$out" -- "$program" "${args[@]}"
echo "No display: ran $(basename "$program") on a virtual display; screenshot saved to $out"
