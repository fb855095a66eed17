#!/usr/bin/env bash
# A game whose images folder lacks a bitmap stops at start with one error box
# naming the file, and a non-zero exit status.
# usage: missing_bitmap.sh PATH_TO_KINOPA BUILD_DIR
set -uo pipefail
build=$2
out=$build/e2e/missing_bitmap
rm -rf "$out" && mkdir -p "$out/game/bin" "$out/game/images" "$out/game/wave"
cp "$1" "$out/game/bin/"
cp "$build"/images/{back,zarup,melkit,tovrin}.bmp "$out/game/images/"   # no text.bmp
cp "$build"/wave/*.wav "$out/game/wave/"
kinopa=$out/game/bin/kinopa
source "$(dirname "$0")/xsession.bash"
start_x

"$kinopa" >"$out/kinopa.log" 2>&1 &
pid=$!
# The error box comes up over the main window, which was shown first.
wait_window '^Kinopa$'
sleep 1
boxes=$(xdotool search --onlyvisible --name '^Kinopa$' | wc -l)
[ "$boxes" -ge 2 ] || fail "expected the window and an error box, found $boxes windows"
xdotool key Return
wait_exit "the program did not end after the error box"
[ "$rc" != 0 ] || fail "exit status 0 after a failed start"
grep -q 'text.bmp' "$out/kinopa.log" || fail "the error does not name text.bmp: $(cat "$out/kinopa.log")"
echo "exit status $rc: $(grep kinopa: "$out/kinopa.log")"
echo "PASS"
