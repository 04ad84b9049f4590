#!/usr/bin/env bash
# Checks the serial adapters' udev rule where `udevadm verify` is not available:
# every line parses as udev's key-operator-value pairs, each of the four adapter
# makers gets seat access and ModemManager's ignore mark, the skip label exists,
# and the file is read before the seat rules that turn the tag into access.
set -euo pipefail
rules=${1:?usage: udev_rules_test.sh RULES}
fail() { echo "$rules: $*" >&2; exit 1; }

if command -v udevadm >/dev/null && udevadm verify --help >/dev/null 2>&1; then
  udevadm verify "$rules"
fi

number=$(basename "$rules" | sed -E 's/^([0-9]+)-.*/\1/')
((10#$number < 73)) || fail "numbered $number: udev must read it before 73-seat-late.rules"

pair='[A-Z_]+(\{[A-Za-z_]+\})?(==|!=|=|\+=) *"[^"]*"'
declare -A vendors=()
gotos=() labels=()
while IFS= read -r line; do
  [[ -z "${line// /}" || $line == \#* ]] && continue
  [[ $line =~ ^$pair(,\ *$pair)*$ ]] || fail "not udev's form: $line"
  [[ $line =~ GOTO=\"([^\"]+)\" ]] && gotos+=("${BASH_REMATCH[1]}")
  [[ $line =~ ^LABEL=\"([^\"]+)\" ]] && labels+=("${BASH_REMATCH[1]}")
  if [[ $line =~ ATTRS\{idVendor\}==\"([0-9a-f]{4})\" ]]; then
    vendor=${BASH_REMATCH[1]}
    [[ $line == *'TAG+="uaccess"'* ]] || fail "$vendor: no seat access"
    [[ $line == *'ENV{ID_MM_DEVICE_IGNORE}="1"'* ]] || fail "$vendor: ModemManager not kept away"
    vendors[$vendor]=1
  fi
done <"$rules"

for v in 0403 1a86 10c4 067b; do
  [[ -n ${vendors[$v]:-} ]] || fail "no rule for vendor $v"
done
for g in "${gotos[@]}"; do
  [[ " ${labels[*]} " == *" $g "* ]] || fail "GOTO $g has no LABEL"
done
echo "ok: ${#vendors[@]} adapter makers"
