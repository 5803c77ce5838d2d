# Sourced: waits until a TCP port on this machine accepts connections.
#   wait_port HOST PORT [SECONDS]   status 0 once it accepts, 1 when SECONDS (default 10) pass
# Polls with bash's /dev/tcp every 50 ms, so a fast server is used at once
# and a slow one is not raced.
wait_port() {
  local host="$1" port="$2" seconds="${3:-10}"
  local now="${EPOCHREALTIME//[.,]/}"
  local deadline=$((now + seconds * 1000000))
  while :; do
    # The connection is opened and closed in a subshell: nothing is sent.
    if (exec 3<>"/dev/tcp/$host/$port") 2>/dev/null; then
      return 0
    fi
    now="${EPOCHREALTIME//[.,]/}"
    ((now < deadline)) || return 1
    sleep 0.05
  done
}
