# Sourced by every script that runs Wine. Never falls back to ~/.wine.
#   RELAYON_WINEPREFIX  the project's private prefix (created by wine-prefix.sh)
export WINEPREFIX="${RELAYON_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/relayon/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
# Serial tests map COM1 (and COM2 as its far end) to pseudo-terminals behind
# these links; wine-session.sh starts the bridge that creates them.
export RELAYON_COM1="$WINEPREFIX/relayon-com1"
export RELAYON_COM2="$WINEPREFIX/relayon-com2"
