#!/usr/bin/env bash
# Builds and runs every test, headless: native (with sanitizers), fuzz targets
# (briefly, with sanitizers) and the Win32 tests under Wine/Xvfb.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh" || exit 1
build="${RELAYON_BUILD_DIR:-$root/build}"
source "$root/scripts/wine-session.sh"
source "$root/scripts/wait-port.sh"

# Whatever happens (failure, Ctrl-C, a CI time-out), nothing started here
# outlives the run: the simulator, then the pty bridge, wineserver,
# kept-alive desktop process and Xvfb of the Wine session.
sim_pid="" session=0
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null
    wait "$sim_pid" 2>/dev/null
    sim_pid=""
  fi
  if [ "$session" = 1 ]; then
    wine_session_stop
    session=0
  fi
}
trap cleanup EXIT
trap 'echo "test.sh: interrupted" >&2; exit 130' INT
trap 'echo "test.sh: terminated" >&2; exit 143' TERM

passed=0 failed=0 status=0
# Adds one ctest run's counts to the totals.
tally() {
  local log="$1" line total bad
  line="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)"
  # No summary line: an empty tree (fine) or a ctest that broke (counted as a failure).
  if [ -z "$line" ]; then
    [ "$2" -eq 0 ] || failed=$((failed + 1))
    return 0
  fi
  bad="$(sed -E 's/.*, ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")"
  total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")"
  passed=$((passed + total - bad)); failed=$((failed + bad))
}

run_ctest() {  # name dir [ctest args...]
  local name="$1" dir="$2"; shift 2
  local log="$build/ctest-$name.log"
  echo "== $name tests"
  ctest --test-dir "$dir" --output-on-failure --no-tests=ignore "$@" 2>&1 | tee "$log"
  local rc="${PIPESTATUS[0]}"
  [ "$rc" -eq 0 ] || status=1
  tally "$log" "$rc"
}

echo "== native build"
if "$root/scripts/build.sh" native; then
  run_ctest native "$build/native" -j2
else
  echo "native build FAILED"; status=1; failed=$((failed + 1))
fi

echo "== fuzz build"
if "$root/scripts/build.sh" fuzz; then
  run_ctest fuzz "$build/fuzz" -L fuzz -j2
else
  echo "fuzz build FAILED"; status=1; failed=$((failed + 1))
fi

echo "== windows build"
if "$root/scripts/build.sh" win; then
  wine_session_start "$build/win/tools/keepalive.exe" "$build/native/tools/ptybridge"
  session=1
  run_ctest wine "$build/win" -L wine -LE e2e
  # The console against the simulator on the sequencers' port. A port that
  # is already taken would put the test against some other program.
  if wait_port 127.0.0.1 8080 0; then
    echo "e2e: 127.0.0.1:8080 is taken by another program; end-to-end test not run"
    status=1; failed=$((failed + 1))
  else
    "$build/native/tools/seqsim/seqsim" --units 1,2,3,4 --listen 127.0.0.1:8080 \
      --control-listen 127.0.0.1:8081 --no-stdin --log none \
      </dev/null >"$build/seqsim-e2e.log" 2>&1 &
    sim_pid=$!
    if wait_port 127.0.0.1 8080 20 && kill -0 "$sim_pid" 2>/dev/null; then
      run_ctest e2e "$build/win" -L e2e
    else
      echo "e2e: the simulator did not open 127.0.0.1:8080 (log: $build/seqsim-e2e.log)"
      status=1; failed=$((failed + 1))
    fi
  fi
  cleanup
else
  echo "windows build FAILED"; status=1; failed=$((failed + 1))
fi

echo
echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit "$status"
