#!/usr/bin/env bash
# Plays the real program in a virtual X server: start, a few seconds of play
# with the mouse, pause, restart, then the end button. Also checks that the
# idle program sleeps and that the close box ends it.
# usage: play_session.sh PATH_TO_KINOPA BUILD_DIR
set -uo pipefail
build=$2
out=$build/e2e/play_session
# A copy of the game of its own: the session's settings and record are saved
# in its wave.ini, not in the build's.
rm -rf "$out" && mkdir -p "$out/game/bin" "$out/game/images" "$out/game/wave"
cp "$1" "$out/game/bin/"
cp "$build"/images/*.bmp "$out/game/images/"
cp "$build"/wave/*.wav "$build"/defaults/wave.ini "$out/game/wave/"
kinopa=$out/game/bin/kinopa
source "$(dirname "$0")/xsession.bash"
start_x

# --- A session: idle, play, pause, restart, end button ---
start_game
eval "$(xdotool getwindowgeometry --shell "$win")"  # WIDTH, HEIGHT
[ "$WIDTH" = 512 ] && [ "$HEIGHT" = 599 ] || fail "window is ${WIDTH}x${HEIGHT}, not 512x599"
# Idle: waiting at the start screen uses next to no processor time.
t0=$(cpu_ticks); sleep 2; t1=$(cpu_ticks)
idle=$(( t1 - t0 ))
echo "idle cpu ticks over 2 s: $idle"
[ "$idle" -le 20 ] || fail "idle program burns the processor ($idle ticks in 2 s)"

click_at 456 20          # Start
for x in 50 150 250 350 200; do xdotool mousemove --window "$win" "$x" 540; sleep 0.2; done
click_at 456 20          # Pause
click_at 456 20          # Start again: a new game
sleep 0.5
click_at 455 580         # end button
wait_exit "the end button did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc after the end button"

# --- The close box ends the program too, even during a game ---
start_game
click_at 456 20          # Start
sleep 0.5
wmctrl -c Kinopa          # the close box, through the window manager
wait_exit "closing the window did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc after closing"

# --- A termination signal still ends it: the sound library must not keep
# --- SIGTERM (or Ctrl+C's SIGINT) to itself ---
start_game
kill -TERM "$pid"
wait_exit "SIGTERM did not end the program"
echo "PASS"
