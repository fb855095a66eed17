#!/usr/bin/env bash
# One running copy for each settings folder: a second start brings the
# running copy's window to the front and ends with status 0; a copy killed
# outright leaves a lock that does not block the next start; a copy with a
# settings folder of its own runs beside it.
# usage: single_copy.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
start_x

start_game "$kinopa"
first=$pid
first_win=$win
xdotool windowminimize --sync "$first_win" || fail "cannot minimize the game's window"
"$kinopa" >"$out/second.log" 2>&1 &
pid=$!
wait_exit "the second copy did not end"
[ "$rc" = 0 ] || fail "the second copy ended with status $rc: $(cat "$out/second.log")"
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '^Kinopa$' 2>/dev/null | grep -qx "$first_win" && break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Kinopa$' | grep -qx "$first_win" ||
  fail "the running copy's window did not come back"
[ "$(xdotool getactivewindow)" = "$first_win" ] || fail "the running copy's window is not in front"

# Killed outright: its lock stays behind, and is seen to be stale.
kill -9 "$first"
wait "$first" 2>/dev/null
[ -e "$game/wave/kinopa.lock" ] || fail "the killed copy left no lock to test with"
start_game "$kinopa"
echo "started again past the killed copy's lock"

# Another portable copy, another settings folder: both run.
mine=$pid
mine_game=$game
copy_game "$out/other"
"$kinopa" >"$out/other.log" 2>&1 &
other=$!
for _ in $(seq 100); do
  [ "$(xdotool search --onlyvisible --name '^Kinopa$' | wc -l)" -ge 2 ] && break
  sleep 0.1
done
[ "$(xdotool search --onlyvisible --name '^Kinopa$' | wc -l)" -ge 2 ] ||
  fail "a copy with its own settings folder did not start beside the first"
kill "$other"
wait "$other" 2>/dev/null
for _ in $(seq 50); do
  [ "$(xdotool search --onlyvisible --name '^Kinopa$' | wc -l)" -le 1 ] && break
  sleep 0.1
done
pid=$mine
click_at 455 580
wait_exit "the end button did not end the game"
[ "$rc" = 0 ] || fail "exit status $rc"
[ -e "$mine_game/wave/kinopa.lock" ] && fail "the game left its lock behind"
echo "PASS"
