#!/usr/bin/env bash
# Watching a recording on the real program: it plays to the recording's
# final score with the start button greyed out, a click on Start changes
# nothing, and the close box or 終了 end it. A recording with a command
# watching cannot carry out, and a --record into a missing folder, are
# refused with a message and exit status 2.
# usage: record_watch.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
start_x

# The catch trace, paused at its end, as the recorder writes a run: a game
# that ends on a score of 53.
recording=$out/catch.kinopa
{ echo "# Kinopa recording"; cat "$(dirname "$0")/../replay/catch.txt"; echo start; echo "# end of recording"; } \
  >"$recording"

# --- Watched to its end: the same score; Start is greyed out and does nothing ---
"$kinopa" --watch "$recording" >"$out/watch.log" 2>&1 &
pid=$!
wait_window '^Kinopa — recording'
wait_window '^Kinopa — recording, ended$'
shot watch_end
gamestart=$("$look" read "$out/watch_end.png" gamestart)
[ "$gamestart" = gamestart=Start/disabled ] || fail "watching, the start button reads ${gamestart#*=}"
expect watch_score Label4=53
click_at 456 20   # Start: nothing happens
shot watch_clicked
"$look" identical "$out/watch_end.png" 0 0 "$out/watch_clicked.png" 0 0 512 599 ||
  fail "the window changed after a click on Start"
wmctrl -c 'Kinopa — recording, ended'
wait_exit "closing the window did not end the watching"
[ "$rc" = 0 ] || fail "exit status $rc after watching"

# 終了 while watching ends the program as the close box does.
"$kinopa" --watch "$recording" >"$out/watch_end_button.log" 2>&1 &
pid=$!
wait_window '^Kinopa — recording'
click_at 455 580
wait_exit "終了 did not end the watching"
[ "$rc" = 0 ] || fail "exit status $rc after 終了 while watching"

# --- Refused before anything plays: one message, exit status 2 ---
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
sed '2a shot field.png' "$recording" >"$out/shot.kinopa"
refused "a recording with a shot" "cannot be watched: line 3: shot" --watch "$out/shot.kinopa"
refused "a recording into a missing folder" "cannot be written" --record "$out/no such folder/run.kinopa"
echo "PASS"
