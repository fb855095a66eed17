#!/usr/bin/env bash
# A game whose images folder lacks a bitmap stops at start with one error box
# naming the file and a non-zero exit status, and leaves wave.ini as it was.
# usage: missing_bitmap.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
rm "$game/images/text.bmp"
printf '"",0,1\r\n"zarupok.wav",0,1\r\n"zarupfall.wav",0,0\r\n"melkitok.wav",0,0\r\n"melkitmiss.wav",0,0\r\n777\r\n' \
  >"$game/wave/wave.ini"
cp "$game/wave/wave.ini" "$out/wave.ini.before"
stamp=$(stat -c '%i %Y' "$game/wave/wave.ini")  # a save would make a new file
start_x

"$kinopa" >"$out/kinopa.log" 2>&1 &
pid=$!
# The error box comes up over the main window, which was shown first.
wait_window
sleep 1
boxes=$(xdotool search --onlyvisible --name '^Kinopa$' | wc -l)
[ "$boxes" -ge 2 ] || fail "expected the window and an error box, found $boxes windows"
"$look" shot root "$out/error-box.png"
xdotool key Return
wait_exit "the program did not end after the error box"
[ "$rc" != 0 ] || fail "exit status 0 after a failed start"
grep -q 'text.bmp' "$out/kinopa.log" || fail "the error does not name text.bmp: $(cat "$out/kinopa.log")"
echo "exit status $rc: $(grep kinopa: "$out/kinopa.log")"
cmp -s "$game/wave/wave.ini" "$out/wave.ini.before" || fail "wave.ini was changed: $(od -c "$game/wave/wave.ini")"
[ "$(stat -c '%i %Y' "$game/wave/wave.ini")" = "$stamp" ] || fail "wave.ini was written again"
echo "PASS"
