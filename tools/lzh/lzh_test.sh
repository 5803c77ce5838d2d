#!/usr/bin/env bash
# The lzh command line as a user runs it:  lzh_test.sh LZH_EXE
# Round trips through files and a pipe, the container's bytes for a known
# input, and the exit status and message of each failure.
set -uo pipefail
lzh="${1:?path of the lzh executable}"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
passed=0 failures=0
check() {  # description, then a command that must succeed
  local what="$1"; shift
  if "$@"; then echo "ok: $what"; passed=$((passed + 1)); else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
fails_with() {  # expected status, message pattern, lzh arguments...
  local want="$1" pattern="$2"; shift 2
  "$lzh" "$@" >"$dir/out.txt" 2>"$dir/err.txt"
  local got=$?
  [ "$got" -eq "$want" ] && grep -q -- "$pattern" "$dir/err.txt" || {
    echo "   lzh $*: status $got, stderr: $(cat "$dir/err.txt")"
    return 1
  }
}

# Larger than one stdio buffer and than one 64 KiB I/O block, with repeats and noise.
{ for i in $(seq 3000); do echo "key$((i % 37))=value $i"; done; head -c 200000 /dev/urandom; } >"$dir/plain"
check "compress and decompress give the file back" \
  bash -c '"$0" c "$1/plain" "$1/packed" && "$0" d "$1/packed" "$1/back" && cmp -s "$1/plain" "$1/back"' "$lzh" "$dir"
check "a container read from a pipe decodes the same" \
  bash -c 'cat "$1/packed" | "$0" d /dev/stdin "$1/piped" && cmp -s "$1/plain" "$1/piped"' "$lzh" "$dir"
check "the container starts with the input size, little-endian" \
  bash -c '[ "$(od -An -tu4 -N4 "$1/packed" | tr -d " ")" = "$(stat -c %s "$1/plain")" ]' "$lzh" "$dir"
check "decoding a container onto itself gives the plain file" \
  bash -c 'cp "$1/packed" "$1/inplace" && "$0" d "$1/inplace" "$1/inplace" && cmp -s "$1/plain" "$1/inplace"' "$lzh" "$dir"
check "compressing a file onto itself gives its container" \
  bash -c 'cp "$1/plain" "$1/packself" && "$0" c "$1/packself" "$1/packself" && cmp -s "$1/packed" "$1/packself"' "$lzh" "$dir"
check "a refused container leaves no output file behind" \
  bash -c '! "$0" d "$1/packed" "$1/refused" 1000 2>/dev/null && [ ! -e "$1/refused" ]' "$lzh" "$dir"
printf 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' >"$dir/a100"
check "100 letters a pack into a short container that decodes back" \
  bash -c '"$0" c "$1/a100" "$1/a100.lzh" && [ "$(stat -c %s "$1/a100.lzh")" -lt 20 ] &&
           "$0" d "$1/a100.lzh" "$1/a100.back" && cmp -s "$1/a100" "$1/a100.back"' "$lzh" "$dir"
: >"$dir/empty"
check "an empty file packs into the size word 0 and two code bytes" \
  bash -c '"$0" c "$1/empty" "$1/empty.lzh" && [ "$(od -An -tx1 -N4 "$1/empty.lzh" | tr -d " ")" = 00000000 ] &&
           [ "$(stat -c %s "$1/empty.lzh")" -eq 6 ] && "$0" d "$1/empty.lzh" "$1/empty.back" && [ ! -s "$1/empty.back" ]' \
  "$lzh" "$dir"

check "a missing input is an I/O error" fails_with 1 "cannot open $dir/missing" c "$dir/missing" "$dir/x"
check "a directory as input is an I/O error" fails_with 1 "cannot read $dir" c "$dir" "$dir/x"
check "an output that cannot be created is an I/O error" fails_with 1 "cannot create" d "$dir/packed" "$dir/no/such/dir"
if [ -w /dev/full ]; then
  check "a full disk is reported, not success" fails_with 1 "cannot write /dev/full" d "$dir/packed" /dev/full
  check "a full disk while compressing is reported" fails_with 1 "cannot write /dev/full" c "$dir/plain" /dev/full
fi
check "a declared size above MAX is refused" fails_with 1 "exceeds the limit" d "$dir/packed" "$dir/x" 1000
check "an unknown mode is a usage error" fails_with 2 "usage:" x "$dir/plain" "$dir/x"
check "a MAX that is no number is a usage error" fails_with 2 "usage:" d "$dir/packed" "$dir/x" 12k

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
