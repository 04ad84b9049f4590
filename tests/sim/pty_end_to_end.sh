#!/usr/bin/env bash
# End to end through a real pseudo-terminal: talviro6-sim on one side, talviro6-cli
# program, read and verify on the other; then the exit code of each failure.
# usage: pty_end_to_end.sh TALVIRO6_SIM TALVIRO6_CLI FILE.ign
set -uo pipefail
sim=$1
cli=$2
input=$3
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

status=0
fail() { echo "FAIL: $*" >&2; status=1; }

# Starts a simulator with the given options; sets dev to its terminal.
start_sim() {
  exec {fd}< <(exec "$sim" --seconds 100 "$@")
  pids+=("$!")
  read -r -t 10 dev <&"$fd" || { echo "FAIL: talviro6-sim printed no device" >&2; exit 1; }
}

# expect CODE COMMAND...: runs the command and checks its exit code.
expect() {
  local want=$1
  shift
  "$@" 2>"$work/stderr"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    fail "$* exited $got, expected $want"
    cat "$work/stderr" >&2
  fi
}

start_sim
expect 0 "$cli" program --port "$dev" "$input"
expect 0 "$cli" read --port "$dev" -o "$work/read.ign"
expect 0 "$cli" verify --port "$dev" "$work/read.ign"
expect 0 "$cli" verify --port "$dev" "$input"
# What came back is what went in: both give the same 300 bytes over the defaults.
"$cli" image "$input" >"$work/sent.dump"
"$cli" image "$work/read.ign" >"$work/read.dump"
cmp -s "$work/sent.dump" "$work/read.dump" || fail "the parameters read back differ from those programmed"
# Another program's parameters on the unit do not verify.
"$cli" ign >"$work/defaults.ign"
expect 5 "$cli" verify --port "$dev" "$work/defaults.ign"
# The monitor prints a header and at least one live line.
"$cli" monitor --port "$dev" --seconds 1 >"$work/monitor.csv" 2>/dev/null || fail "monitor failed"
[ "$(wc -l <"$work/monitor.csv")" -ge 2 ] || fail "monitor printed no live frame"
head -1 "$work/monitor.csv" | grep -q '^time_s,rpm,advance_deg' || fail "monitor header"

start_sim --fault silence:-1
expect 4 "$cli" read --port "$dev" -o "$work/none.ign"
[ ! -e "$work/none.ign" ] || fail "a failed read wrote a file"

start_sim --version 75
expect 6 "$cli" program --port "$dev" "$input"

start_sim --fault no-answer:-1:0x42
expect 5 "$cli" verify --port "$dev" "$input"

expect 3 "$cli" read --port "$work/no-such-device" -o "$work/x.ign"
expect 2 "$cli" read -o "$work/x.ign"

exit $status
