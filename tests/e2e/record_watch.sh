#!/usr/bin/env bash
# Recording and watching, on the real program: a game played with the real
# pointer is recorded and played back exactly by kinopa-replay; a record
# game, and only a record game, is kept as best-game.kinopa (and among the
# ten best); --watch plays it to the same final score with the start button
# greyed out, and 終了 or the close box end it; a broken recording, or one with a command watching
# cannot carry out, is refused with exit 2.
# usage: record_watch.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
replay=$build/bin/kinopa-replay
wave=$game/wave
start_x

# Whether two pictures, cropped to WxH+X+Y, are the same pixel for pixel.
same_area() {
  [[ $3 =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  "$look" identical "$1" "${BASH_REMATCH[3]}" "${BASH_REMATCH[4]}" "$2" "${BASH_REMATCH[3]}" \
    "${BASH_REMATCH[4]}" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
}

# --- 1. No record possible (99999 to beat): recorded, but no best game ---
settings 99999
"$kinopa" --record "$out/first.kinopa" >"$out/kinopa.log" 2>&1 &
pid=$!
wait_window '^Kinopa$'
sleep 0.5
play_tracking 4 "$out/first_end.png"
click_at 455 580
wait_exit "the end button did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc"
[ -e "$wave/best-game.kinopa" ] && fail "a game below the record was kept as the best game"
tail -n1 "$out/first.kinopa" | grep -qx '# end of recording' || fail "the recording is not closed"
# Played back: the same last state, and the same picture on the play field.
"$replay" "$out/first.kinopa" >"$out/first.replay" 2>/dev/null || fail "kinopa-replay failed"
[ "$(tail -n1 "$out/first.replay")" = "$(sed -n 's/^# last //p' "$out/first.kinopa")" ] ||
  fail "played back, the game ends in another state"
{ grep -v '^# end' "$out/first.kinopa"; echo "shot $out/first_replay.png"; } >"$out/first_shot.txt"
"$replay" "$out/first_shot.txt" >/dev/null 2>&1 || fail "kinopa-replay could not take its shot"
same_area "$out/first_end.png" "$out/first_replay.png" 399x599+0+0 ||
  fail "the last frame on screen differs from the replay's"
echo "recorded $(grep -c '^frame' "$out/first.kinopa") frames, played back exactly"

# --- 2. A record game (0 to beat) is kept ---
settings 0
start_game "$kinopa"
play_tracking 8 "$out/record_end.png"
click_at 455 580
wait_exit "the end button did not end the program"
[ -e "$wave/best-game.kinopa" ] || fail "the record game was not kept"
score=$(sed -n 's/^# last .* score=\([0-9-]*\) .*/\1/p' "$wave/best-game.kinopa")
[ "${score:-0}" -gt 0 ] || fail "the kept game scored ${score:-nothing}"
# Kept among the ten best too, as the same recording.
cmp -s "$wave/best-game.kinopa" "$(ls "$wave"/best-games/*_"$score".kinopa | tail -n1)" ||
  fail "the record game is not among the ten best: $(ls "$wave/best-games")"
echo "record game kept: score $score"

# --- 3. Watching it ends on the same score; Start is greyed out and does nothing ---
"$kinopa" --watch "$wave/best-game.kinopa" >"$out/watch.log" 2>&1 &
pid=$!
wait_window '^Kinopa — recording$'
for _ in $(seq 400); do
  xdotool search --name '^Kinopa — recording, ended$' >/dev/null 2>&1 && break
  sleep 0.1
done
win=$(xdotool search --name '^Kinopa — recording, ended$' | head -n1)
[ -n "$win" ] || fail "the recording never came to its end"
"$look" shot "$win" "$out/watch_end.png"
same_area "$out/record_end.png" "$out/watch_end.png" 97x25+408+200 ||
  fail "watched, the game ends on another score"
gamestart=$("$look" read "$out/watch_end.png" gamestart)
[ "$gamestart" = gamestart=Start/disabled ] || fail "watching, the start button reads ${gamestart#*=}"
click_at 456 20   # Start: nothing happens
"$look" shot "$win" "$out/watch_clicked.png"
same_area "$out/watch_end.png" "$out/watch_clicked.png" 399x599+0+0 ||
  fail "the play field changed after a click on Start"
same_area "$out/watch_end.png" "$out/watch_clicked.png" 97x25+408+344 ||
  fail "the time changed after a click on Start"
wmctrl -c 'Kinopa — recording, ended'
wait_exit "closing the window did not end the watching"
[ "$rc" = 0 ] || fail "exit status $rc after watching"

# 終了 in the middle of watching ends the program as the close box does.
"$kinopa" --watch "$wave/best-game.kinopa" >"$out/watch_end_button.log" 2>&1 &
pid=$!
wait_window '^Kinopa — recording$'
sleep 1
click_at 455 580
wait_exit "終了 did not end the watching"
[ "$rc" = 0 ] || fail "exit status $rc after 終了 while watching"

# --- 4. Refused before anything plays: one message, exit status 2 ---
# refused NAME SAYS ARGS...: the program run with ARGS shows its message box,
# says SAYS on standard error and exits with 2.
refused() {
  local name=$1 says=$2
  shift 2
  "$kinopa" "$@" >"$out/$name.log" 2>&1 &
  pid=$!
  wait_window '^Kinopa$'   # the message box
  sleep 0.5
  xdotool key Return
  wait_exit "the $name message did not end the program"
  [ "$rc" = 2 ] || fail "exit status $rc for $name"
  grep -q "$says" "$out/$name.log" || fail "no message for $name"
}
: >"$out/empty.kinopa"
echo "this is no recording" >"$out/garbage.kinopa"
head -c 300 "$wave/best-game.kinopa" >"$out/cut.kinopa"
# A command watching cannot carry out, named by its line.
sed '2a shot field.png' "$wave/best-game.kinopa" >"$out/shot.kinopa"
for bad in "empty|" "garbage|" "cut|" "shot|line 3: shot"; do
  name=${bad%%|*}
  refused "the $name recording" "cannot be watched: ${bad#*|}" --watch "$out/$name.kinopa"
done
# A recording that could not be written at the end is refused at the start.
refused "a recording into a missing folder" "cannot be written" --record "$out/no such folder/run.kinopa"
echo "PASS"
