#!/usr/bin/env bash
# Watching a long recording: while the run before its last game goes by, a
# progress dialog shows, the window can be moved and closed, and Cancel ends
# the program with status 0.
# usage: watch_progress.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
start_x

# 60 games left to run out of time, each frame 8 ms after the last: about
# 225,000 frames before the last game.
awk 'BEGIN {
  print "# Kinopa recording"
  t = 1000
  for (g = 0; g <= 60; g++) {
    line = "random"
    for (k = 0; k < 300; k++) line = line " 0." (k * 7919 % 1000 + 1000)
    print line
    print "start"; print "tick " t; print "idle"
    for (f = 0; f < 3800; f++) { t += 8; print "tick " t; print "frame" }
    print "idle"
  }
  print "# end of recording"
}' >"$out/long.kinopa"
echo "generated $(grep -c '^frame' "$out/long.kinopa") frames"

watch() {
  "$kinopa" --watch "$out/long.kinopa" >"$out/kinopa.log" 2>&1 &
  pid=$!
  wait_window '^Kinopa — recording$'
  main=$win
  wait_window '^Kinopa$'   # the progress dialog
  dialog=$win
}

# --- Cancel ends the program ---
watch
xdotool mousemove --window "$main" 10 10 || fail "the window cannot be reached"
wmctrl -r 'Kinopa — recording' -e 0,40,40,-1,-1 || fail "the window cannot be moved"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended before Cancel"
xdotool windowactivate --sync "$dialog" key Escape 2>/dev/null ||
  xdotool key --window "$dialog" Escape
wait_exit "Cancel did not end the watching"
[ "$rc" = 0 ] || fail "exit status $rc after Cancel"

# --- The close box ends it too, in the middle of the fast-forwarding ---
watch
wmctrl -c 'Kinopa — recording'
wait_exit "closing the window did not end the watching"
[ "$rc" = 0 ] || fail "exit status $rc after closing the window"
echo "PASS"
