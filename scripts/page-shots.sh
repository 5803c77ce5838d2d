#!/usr/bin/env bash
# Screenshots of the console's four pages in one language, for people to look at.
#   page-shots.sh LANGINDEX OUTDIR      (0 Simplified, 1 English, 2 Traditional)
# Builds what it needs: the optimised console (winrel) and the native
# demosettings tool.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lang="${1:?LANGINDEX}" outdir="${2:?OUTDIR}"
build="${RELAYON_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" winrel relayon >/dev/null
"$root/scripts/build.sh" native demosettings >/dev/null
mkdir -p "$outdir"
settings="$outdir/settings-$lang.dat"
"$build/native/tools/demosettings/demosettings" "$settings" "$lang"

source "$root/scripts/wine-session.sh"
wine_session_start "" ""
trap wine_session_stop EXIT
wine "$build/winrel/src/console/relayon.exe" --settings "Z:$(sed 's|/|\\|g' <<<"$settings")" </dev/null >/dev/null 2>&1 &
window="$(xdotool search --sync --onlyvisible --limit 1 --name '^Relayon$')"
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$window")"
# The first tab sits at the page control's top left; arrow keys move between tabs.
xdotool mousemove "$((X + 40))" "$((Y + 12))" click 1
sleep 0.5
for page in 1 2 3 4; do
  [ "$page" -gt 1 ] && xdotool key Right && sleep 2.5
  import -window "$window" "$outdir/page$page-lang$lang.png"
done
xdotool windowclose "$window" 2>/dev/null || true
