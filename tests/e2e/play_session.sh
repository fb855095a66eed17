#!/usr/bin/env bash
# The real program in a virtual X server, played with the mouse: the window
# as it first shows, the idle program at rest, a game whose clock runs in
# real milliseconds and a new one, and the end button and the close box
# during a game (each saving wave.ini exactly).
# usage: play_session.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
start_x

# Settings as a player might have edited them (LF line ends, a bare name,
# blanks) and a record the short games below cannot beat. Every save writes
# them back in the game's own form.
printf '"",0,1\n zarupok.wav,0,0\n"zarupfall.wav", 0, 0\n"melkitok.wav",0,0\n"melkitmiss.wav",0,1\n12345\n' \
  >"$game/wave/wave.ini"
saved_form='"",0,1\r\n"zarupok.wav",0,0\r\n"zarupfall.wav",0,0\r\n"melkitok.wav",0,0\r\n"melkitmiss.wav",0,1\r\n12345\r\n'

# --- Before any game ---
start_game
# The whole 512 x 599 window, frame included, in the middle of the 1024 x 768
# screen.
read -r fl fr ft fb < <(xprop -id "$win" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
x=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}')
y=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ {print $4}')
left=$((x - fl)) right=$((1024 - (x + 512 + fr))) top=$((y - ft)) bottom=$((768 - (y + 599 + fb)))
echo "frame $fl,$fr,$ft,$fb; screen margins left $left right $right top $top bottom $bottom"
[ "$ft" -gt 0 ] || fail "the window has no title bar: $(xprop -id "$win" _NET_FRAME_EXTENTS)"
[ $((left - right)) -ge -1 ] && [ $((left - right)) -le 1 ] &&
  [ $((top - bottom)) -ge -1 ] && [ $((top - bottom)) -le 1 ] ||
  fail "the window is not centred: margins left $left right $right top $top bottom $bottom"
expect before Label8=12345 Label4=0 Label5=1 Label6=30000 gamestart=Start
"$look" field "$out/before.png" || fail "the play field does not show its picture (see $out/before.png)"

# Waiting at the start screen uses next to no processor time.
t0=$(cpu_ticks); sleep 2; t1=$(cpu_ticks)
echo "idle cpu ticks over 2 s: $((t1 - t0))"
[ $((t1 - t0)) -le 20 ] || fail "the idle program burns the processor ($((t1 - t0)) ticks in 2 s)"

# --- A game ---
click_at 456 20  # Start
expect started Label4=0 Label5=1 gamestart=Pause
# A miss: its popup rises from where the button was released.
xdotool mousemove --window "$win" 200 470 click 1
for n in 1 2; do
  sleep 0.15
  shot "miss-$n"
  read -r l t _ _ < <("$look" find "$out/miss-$n.png" miss) || fail "no miss popup (see $out/miss-$n.png)"
  echo "miss popup's letters at $l,$t"
  [ "$l" -ge 203 ] && [ "$l" -le 211 ] && [ "$t" -lt 470 ] && [ "$t" -gt 340 ] ||
    fail "the miss popup's letters are at $l,$t: not rising from 200,470"
  [ "$n" = 1 ] || [ "$t" -lt "$first" ] || fail "the miss popup does not rise ($first, then $t)"
  first=$t
done
# A running game, frame and all, for the README (docs/screenshot.png).
"$look" shot "$(xwininfo -id "$win" -children | awk '/Parent window id/ {print $4}')" "$out/screenshot.png"
# Pause, then Start again: a new game. Two seconds later, two seconds and a
# fall or two are gone, and the game runs on.
click_at 456 20
expect paused gamestart=Start
click_at 456 20  # the pointer stays off the field
sleep 2
read_window running Label6 gamestart
[ "$gamestart" = Pause ] && [ "$Label6" != "?" ] && [ "$Label6" -le 28500 ] && [ "$Label6" -gt 0 ] ||
  fail "two seconds into a game the time left is $Label6, the button $gamestart"

# --- The end button during a game: exit status 0, wave.ini saved ---
click_at 455 580
wait_exit "the end button did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc after the end button"
expect_bytes "$game/wave/wave.ini" "$saved_form"

# --- The close box during a game ---
start_game
click_at 456 20
printf 'x' >"$game/wave/wave.ini"  # the save must replace this, whole
wmctrl -c Kinopa
wait_exit "closing the window did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc after closing"
expect_bytes "$game/wave/wave.ini" "$saved_form"

echo "PASS"
