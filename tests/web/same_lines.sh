#!/usr/bin/env bash
# Runs two commands and fails unless both succeed and print the same lines.
# usage: same_lines.sh COMMAND1 [ARGS...] -- COMMAND2 [ARGS...]
set -uo pipefail
first=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do first+=("$1"); shift; done
[ $# -gt 1 ] && [ ${#first[@]} -gt 0 ] || { echo "usage: $0 COMMAND1... -- COMMAND2..." >&2; exit 2; }
shift
out1=$(mktemp) out2=$(mktemp)
trap 'rm -f "$out1" "$out2"' EXIT
"${first[@]}" >"$out1" || { echo "FAIL: ${first[*]} exited with status $?"; exit 1; }
"$@" >"$out2" || { echo "FAIL: $* exited with status $?"; exit 1; }
[ -s "$out1" ] || { echo "FAIL: ${first[*]} printed nothing"; exit 1; }
diff -u --label "${first[0]##*/}" --label "${1##*/} ${2##*/}" "$out1" "$out2" ||
  { echo "FAIL: the lines differ"; exit 1; }
echo "PASS: the same $(wc -l <"$out1") lines"
