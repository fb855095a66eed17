#!/usr/bin/env bash
# The real program at display scale 2 (QT_SCALE_FACTOR=2): every pixel of the
# play field is an exact 2 x 2 block of the frame kinopa-replay draws from the
# recorded game, and the pointer still lands in the field's own pixels: a miss
# click puts its popup where it was released.
# usage: scale2.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
replay=$build/bin/kinopa-replay
screen=2048x1536x24 start_x

start_game env QT_SCALE_FACTOR=2 "$kinopa" --record "$out/scaled.kinopa"
eval "$(xdotool getwindowgeometry --shell "$win")"  # WIDTH, HEIGHT
[ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 1198 ] || fail "the window is ${WIDTH}x${HEIGHT}, not 1024x1198"

click_at 912 40                                    # Start, at 456,20
xdotool mousemove --window "$win" 300 1080         # the tovrin's middle at 150
sleep 0.3
xdotool mousemove --window "$win" 400 1040 click 1  # a miss at 200,520
sleep 0.2
click_at 912 40                                    # Pause
"$look" shot "$win" "$out/paused.png" || fail "no picture of the window"
click_at 910 1160                                  # 終了, at 455,580
wait_exit "the end button did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc"

last=$(sed -n 's/^# last //p' "$out/scaled.kinopa")
[[ $last =~ \ popups=([^ ]*) ]] || fail "the recording has no last state: $last"
IFS=';' read -r -a popups <<<"${BASH_REMATCH[1]}"
[[ ${popups[4]} =~ ^-?[0-9]+,200,520, ]] || fail "the miss popup is at ${popups[4]}, not 200,520"

{ grep -v '^# end' "$out/scaled.kinopa"; echo "shot $out/replay.png"; } >"$out/shot.txt"
"$replay" "$out/shot.txt" >/dev/null 2>&1 || fail "kinopa-replay could not take its shot"
"$look" identical "$out/paused.png" 0 0 "$out/replay.png" 0 0 399 599 2 ||
  fail "the field on screen is not the replay's frame blown up 2 x 2 (see $out/paused.png)"
echo "PASS"
