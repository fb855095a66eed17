#!/usr/bin/env bash
# The display lost in the middle of a record game (the X server ends): the
# game saves what 終了 saves (the record, the best game, the --record file
# with its last frame, which replays to it), says so in one line and ends
# with status 1. No display, or one named but not there: one line, status
# 1, for the game and --watch-best.
# usage: display_lost.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
wave=$game/wave
start_x

start_game "$kinopa" --record "$out/run.kinopa"
track 6
read_window running Label8
[ "${Label8:-0}" -gt 0 ] || fail "the game set no record, so it tested nothing"
gone=$DISPLAY
kill "$xvfb"
xvfb=""
wait_exit "the game did not end when its display went"
[ "$rc" = 1 ] || fail "with the display lost the exit status is $rc"
grep -v '^QStandardPaths' "$out/kinopa.log" >"$out/said.log"
[ "$(wc -l <"$out/said.log")" = 1 ] && grep -q "was lost" "$out/said.log" ||
  fail "with the display lost it says: $(cat "$out/kinopa.log")"

saved=$(tail -n1 "$wave/wave.ini" | tr -d '\r')
[ "${saved:-0}" -ge "$Label8" ] || fail "the record on screen was $Label8, wave.ini holds ${saved:-nothing}"
best=$(sed -n 's/^# last .* score=\([0-9-]*\) .*/\1/p' "$wave/best-game.kinopa")
[ "$best" = "$saved" ] || fail "the best game scored ${best:-nothing}, the record is $saved"
[ "$(tail -n1 "$out/run.kinopa")" = "# end of recording" ] || fail "the recording was not written whole"
last=$(sed -n 's/^# last //p' "$out/run.kinopa")
[ -n "$last" ] && [ "$("$build/bin/kinopa-replay" "$out/run.kinopa" | tail -n1)" = "$last" ] ||
  fail "the recording does not replay to its last line: $last"
echo "display lost with $Label8 on screen: wave.ini holds $saved, the best game too; the recording replays to its end"

# --- No display, or one named but not there: one line, status 1 ---
# no_display SAYS ENV-ARGUMENTS...: the program run under `env` so says SAYS.
no_display() {
  local says=$1
  shift
  env "$@" >"$out/nodisplay.out" 2>"$out/nodisplay.err"
  rc=$?
  grep -v '^QStandardPaths' "$out/nodisplay.err" >"$out/said.log"
  [ "$rc" = 1 ] || fail "$*: exit status $rc, $(cat "$out/nodisplay.err")"
  [ "$(wc -l <"$out/said.log")" = 1 ] && grep -q "$says" "$out/said.log" ||
    fail "$* says: $(cat "$out/nodisplay.err")"
  echo "$*: $(cat "$out/said.log")"
}
no_display "DISPLAY=$gone" DISPLAY="$gone" "$kinopa"
no_display "DISPLAY=$gone" DISPLAY="$gone" "$kinopa" --watch-best
no_display "needs a desktop" -u DISPLAY -u WAYLAND_DISPLAY "$kinopa"
echo "PASS"
