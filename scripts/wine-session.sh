# Sourced helpers that keep one display, one wineserver and one desktop process
# for a whole batch of Wine runs (each test executable then starts in a few ms).
#
#   wine_session_start KEEPALIVE_EXE [PTYBRIDGE]   headless unless RELAYON_USE_DISPLAY=1
#   wine_session_stop
_ws_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$_ws_here/wine-env.sh"

_ws_free_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo "$n"
}

wine_session_start() {
  local keepalive="$1" bridge="${2:-}"
  "$_ws_here/wine-prefix.sh"
  WS_XVFB_PID=""
  if [ "${RELAYON_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    local n; n="$(_ws_free_display)"
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    WS_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  # Wine's background services must not inherit our pipes, or callers hang.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true
  if [ -n "$keepalive" ] && [ -f "$keepalive" ]; then
    setsid wine "$keepalive" </dev/null >/dev/null 2>&1 &
    WS_KEEPALIVE_PID=$!
  fi
  WS_BRIDGE_PID=""
  if [ -n "$bridge" ] && [ -x "$bridge" ]; then
    "$bridge" "$RELAYON_COM1" "$RELAYON_COM2" </dev/null >/dev/null 2>&1 &
    WS_BRIDGE_PID=$!
    for _ in $(seq 50); do [ -L "$RELAYON_COM2" ] && break; sleep 0.1; done
  fi
  export WS_XVFB_PID WS_BRIDGE_PID
}

wine_session_stop() {
  [ -n "${WS_BRIDGE_PID:-}" ] && kill "$WS_BRIDGE_PID" 2>/dev/null
  wineserver -k </dev/null >/dev/null 2>&1 || true
  [ -n "${WS_KEEPALIVE_PID:-}" ] && kill "$WS_KEEPALIVE_PID" 2>/dev/null
  [ -n "${WS_XVFB_PID:-}" ] && kill "$WS_XVFB_PID" 2>/dev/null
  wait 2>/dev/null || true
}
