#!/usr/bin/env bash
# Plays a replay script and compares its output, line by line, with the
# trace kept beside it. A trace ending in an error line expects exit status 1.
# usage: check.sh KINOPA_REPLAY SCRIPT
set -uo pipefail
replay=$1 script=$2
expected=${script%.txt}.expected
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
"$replay" "$script" >"$actual" 2>/dev/null
rc=$?
want=0
tail -n1 "$expected" | grep -q '^error ' && want=1
diff -u "$expected" "$actual" || { echo "FAIL: the trace differs"; exit 1; }
[ "$rc" = "$want" ] || { echo "FAIL: exit status $rc, expected $want"; exit 1; }
echo "PASS: $(grep -c '^frame' "$expected") frames"
