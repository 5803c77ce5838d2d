#!/usr/bin/env bash
# Runs a Windows program under Wine and writes a PNG of its window.
#   screenshot.sh --out FILE.png [--title REGEX] [--wait SECONDS] [--timeout SECONDS] -- PROGRAM.exe [ARGS...]
# The window is found by its title (xdotool, a regular expression; default:
# the program's base name). By default the program runs on a private virtual
# display (Xvfb) with its own wineserver session; with RELAYON_USE_DISPLAY=1
# and DISPLAY set, the current display and session are used instead.
# The program is closed again after the picture is taken. Exit status 1 when
# the window never appears.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

out="" title="" wait_s=1.5 timeout_s=20
while (($#)); do
  case "$1" in
    --out) out="$2"; shift ;;
    --title) title="$2"; shift ;;
    --wait) wait_s="$2"; shift ;;
    --timeout) timeout_s="$2"; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
  shift
done
if [ -z "$out" ] || [ $# -lt 1 ]; then
  sed -n '2,9p' "${BASH_SOURCE[0]}" >&2
  exit 2
fi
program="$1"; shift
[ -n "$title" ] || title="$(basename "$program" .exe)"
command -v xdotool >/dev/null && command -v import >/dev/null || {
  echo "screenshot.sh: xdotool and ImageMagick (import) are needed (scripts/setup.sh installs them)" >&2
  exit 2
}

source "$here/wine-session.sh"
own_session=0
if [ "${RELAYON_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  RELAYON_USE_DISPLAY=0 wine_session_start "" ""
  own_session=1
else
  "$here/wine-prefix.sh"
fi

app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ "$own_session" = 1 ] && wine_session_stop
  return 0
}
trap cleanup EXIT

wine "$program" "$@" </dev/null >/dev/null 2>&1 &
app_pid=$!

window=""
deadline=$((SECONDS + ${timeout_s%.*}))
while [ -z "$window" ] && [ $SECONDS -lt $deadline ]; do
  window="$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)"
  [ -n "$window" ] || sleep 0.2
done
if [ -z "$window" ]; then
  echo "screenshot.sh: no window titled /$title/ appeared within ${timeout_s}s" >&2
  exit 1
fi
sleep "$wait_s"

mkdir -p "$(dirname "$out")"
# Prefer the window itself; fall back to cutting it out of the root window.
# 32-bit captures carry an empty alpha channel: drop it.
tmp="$(mktemp --suffix=.miff)"
if ! import -window "$window" "miff:$tmp" 2>/dev/null; then
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "miff:$tmp"
fi
convert "miff:$tmp" -alpha off "png:$out"
rm -f "$tmp"
echo "$out"
