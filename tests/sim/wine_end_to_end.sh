#!/usr/bin/env bash
# The Windows command line under wine against the simulated unit: talviro6-sim (a
# Linux program) on a pseudo-terminal, which the wine prefix offers as COM5, and
# talviro6-cli.exe programming, reading and verifying through it; then the ways an
# opening fails, with their exit codes and reasons.
# usage: wine_end_to_end.sh TALVIRO6_SIM WINE_RUN TALVIRO6_CLI_EXE WINEPREFIX FILE.ign
set -uo pipefail
sim=$1
wine_run=$2
cli_exe=$3
prefix=$4
input=$5
port=5
work=$(mktemp -d)
link="$prefix/dosdevices/com$port"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -f "$link"
  rm -rf "$work"
}
trap cleanup EXIT

status=0
fail() { echo "FAIL: $*" >&2; status=1; }
cli() { "$wine_run" "$cli_exe" "$@"; }

# The prefix is made by the first program run in it; COM5 is added to it after.
"$wine_run" "$cli_exe" --help >/dev/null || { echo "FAIL: talviro6-cli.exe does not run under wine" >&2; exit 1; }

# Starts a simulator with the given options and makes COM5 lead to its terminal.
start_sim() {
  exec {fd}< <(exec "$sim" --seconds 120 "$@")
  pids+=("$!")
  read -r -t 10 dev <&"$fd" || { echo "FAIL: talviro6-sim printed no device" >&2; exit 1; }
  ln -sfn "$dev" "$link"
}

# expect CODE COMMAND...: runs the command and checks its exit code; its standard
# error stays in $work/stderr.
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
says() { grep -qF -- "$1" "$work/stderr" || { fail "expected \"$1\" on standard error"; cat "$work/stderr" >&2; }; }

start_sim
expect 0 cli program --port $port --no-snapshot "$input"
says "program: OK"
expect 0 cli read --port COM$port --no-snapshot -o "$work/read.ign"
expect 0 cli verify --port $port "$work/read.ign"
# What came back is what went in: both give the same 300 bytes over the defaults.
cli image "$input" >"$work/sent.dump"
cli image "$work/read.ign" >"$work/read.dump"
[ -s "$work/sent.dump" ] && cmp -s "$work/sent.dump" "$work/read.dump" ||
  fail "the parameters read back differ from those programmed"
cli ign >"$work/defaults.ign"
expect 5 cli verify --port $port "$work/defaults.ign"

# Live frames. (A second opener of the port is refused by Windows itself; wine
# shares a serial device between its programs, so that cannot be shown here.)
cli monitor --port $port --seconds 2 >"$work/monitor.csv" 2>/dev/null || fail "monitor failed"
[ "$(wc -l <"$work/monitor.csv")" -ge 2 ] || fail "monitor printed no live frame"
head -1 "$work/monitor.csv" | grep -q '^time_s,rpm,advance_deg' || fail "monitor header"

expect 3 cli read --port 9 --no-snapshot -o "$work/none.ign"
says "COM9: no such port"

start_sim --fault silence:-1
expect 4 cli read --port $port --no-snapshot -o "$work/none.ign"
[ ! -e "$work/none.ign" ] || fail "a failed read wrote a file"

exit $status
