#!/usr/bin/env bash
# Where the start-up memory goes: launches relayon.exe and bare600.exe once
# each under one Wine session (as run.sh does), holds each one at the moment
# the benchmark measures it (window shown, message loop idle) and prints its
# Linux memory map summed per mapped file, largest resident first, then the
# difference console - bare per file.
#
#   bash bench/startup/smaps.sh [TOP]          (default: 25 lines each)
#
# With RELAYON_SMAPS_KEEP=DIR the full maps are kept as DIR/console.smaps and
# DIR/bare.smaps. With RELAYON_STARTUP_NOBUILD=1 the Release tree is used as
# it is, without building it first.
#
# Anonymous memory is one line ("[anon]", including the heap and stacks).
# Columns: resident KiB, of it private dirty KiB (written pages; a file that
# was just written, like a freshly linked exe, counts as dirty until the
# kernel has flushed it).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
top="${1:-25}"
build="${RELAYON_BUILD_DIR:-$root/build}"
tree="$build/winrel"

"$root/scripts/setup.sh" >/dev/null
[ -n "${RELAYON_STARTUP_NOBUILD:-}" ] || "$root/scripts/build.sh" winrel relayon bare600 startbench keepalive >"$tree.build.log" 2>&1 ||
  { tail -20 "$tree.build.log" >&2; exit 1; }

winpath() { echo "Z:$(sed 's|/|\\|g' <<<"$1")"; }
data="$tree/bench/startup/data"
mkdir -p "$data"
out="$(mktemp -d)"
marker="$data/ready"

source "$root/scripts/wine-session.sh"
trap 'wine_session_stop; rm -rf "$out" "$marker"' EXIT
wine_session_start "$tree/tools/keepalive.exe"

# The Linux process of a Windows program of this Wine prefix.
unix_pid() {
  local exe="$1" p
  for p in $(pgrep -f -i -- "$exe"); do
    # The program itself, not the benchmark driver whose command line names it.
    { tr '\0' '\n' <"/proc/$p/cmdline" | head -1 | grep -qi -- "$exe\$"; } 2>/dev/null || continue
    { tr '\0' '\n' <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; } 2>/dev/null || continue
    echo "$p"
    return 0
  done
  return 1
}

# Resident and private dirty KiB per mapped file of one process.
summary() {
  awk '
    /^[0-9a-f]+-[0-9a-f]+ / { name = (NF >= 6) ? $6 : "[anon]"; if (name ~ /^\[(heap|stack)/) name = "[anon]"; next }
    $1 == "Rss:" { rss[name] += $2 }
    $1 == "Private_Dirty:" { dirty[name] += $2 }
    END { for (n in rss) if (rss[n] > 0) printf "%d %d %s\n", rss[n], dirty[n], n }
  ' "/proc/$1/smaps" | sort -rn
}

measure() {
  local name="$1" exe="$2" line="$3" pid=""
  rm -f "$marker"
  wine "$tree/bench/startup/startbench.exe" hold 30 "$(winpath "$marker")" "$line" </dev/null &
  local bench=$!
  for _ in $(seq 300); do [ -e "$marker" ] && break; sleep 0.1; done
  pid="$(unix_pid "$exe")" || { echo "smaps: $exe not found" >&2; wait "$bench"; return 1; }
  summary "$pid" >"$out/$name"
  [ -z "${RELAYON_SMAPS_KEEP:-}" ] || { mkdir -p "$RELAYON_SMAPS_KEEP"; cat "/proc/$pid/smaps" >"$RELAYON_SMAPS_KEEP/$name.smaps"; }
  # Done reading: close the program now rather than at the end of the hold.
  kill "$pid" 2>/dev/null || true
  wait "$bench" || true
  echo "== $name (pid $pid): total $(awk '{s += $1} END {print s}' "$out/$name") KiB resident"
  printf '%8s %8s  %s\n' "Rss KiB" "dirty" "mapping"
  head -n "$top" "$out/$name" | awk '{printf "%8d %8d  %s\n", $1, $2, $3}'
}

# Two launches each: the first warms Wine's caches, the second is measured.
for pass in 1 2; do
  measure console relayon.exe "$(winpath "$tree/src/console/relayon.exe") --settings $(winpath "$data/qarn.dat")" >"$out/console.txt"
  measure bare bare600.exe "$(winpath "$tree/bench/startup/bare600.exe")" >"$out/bare.txt"
done
cat "$out/console.txt" "$out/bare.txt"
echo "== console - bare per mapping (KiB resident, |difference| >= 64)"
awk 'FNR == NR { c[$3] = $1; next } { b[$3] = $1 }
     END { for (n in c) d[n] = c[n] - b[n]; for (n in b) if (!(n in c)) d[n] = -b[n]
           for (n in d) if (d[n] >= 64 || d[n] <= -64) printf "%+8d  %s\n", d[n], n }' \
  "$out/console" "$out/bare" | sort -rn
