#!/usr/bin/env bash
# What the game plays, heard through SDL's "disk" audio driver, which writes
# the game's sound output to a file: the music during a game when it is on,
# and silence from the moment its 無 box is ticked mid-game; a miss click's
# sound. (Which sounds a switched-off box silences is the sound session's
# test.)
# usage: sound_output.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
start_x

# $1: the music's row, $2: the miss sound's off box; the other effects off.
write_settings() {
  printf '%s\r\n"zarupok.wav",0,1\r\n"zarupfall.wav",0,1\r\n"melkitok.wav",0,1\r\n"melkitmiss.wav",0,%s\r\n0\r\n' \
    "$1" "$2" >"$game/wave/wave.ini"
}

# Counts the samples of $1 that are not silent, from byte $2 on (default 0).
sounding_in() {
  tail -c +$((${2:-0} + 1)) "$1" | od -An -v -td2 |
    awk '{ for (i = 1; i <= NF; i++) if ($i != 0) n++ } END { print n + 0 }'
}

# Runs the game with its sound going to $out/$1.raw; the rest of the
# arguments are clicks in the window ("x,y"), pauses ("sleep:s"), opening the
# sound settings ("dialog"), clicks in them ("dialog:x,y") and "mark", which
# keeps in $mark how much sound has come out so far.
run() {
  local name=$1 step
  shift
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$out/$name.raw
  start_game
  for step in "$@"; do
    case $step in
      sleep:*) sleep "${step#sleep:}" ;;
      dialog)
        click_at 456 404  # 効果音設定
        dialog=$(find_window '^SoundMenu$') || fail "効果音設定 did not open the dialog"
        xdotool windowmove "$dialog" 0 0  # clear of the game's buttons
        sleep 0.3 ;;
      dialog:*)
        step=${step#dialog:}
        xdotool mousemove --window "$dialog" "${step%,*}" "${step#*,}" click 1
        sleep 0.3 ;;
      mark) mark=$(stat -c %s "$out/$name.raw") ;;
      *) click_at "${step%,*}" "${step#*,}" ;;
    esac
  done
  click_at 455 580  # end button
  wait_exit "the end button did not end the program"
  [ "$rc" = 0 ] || fail "exit status $rc"
  [ -s "$out/$name.raw" ] || fail "no sound output in $name.raw: is SDL's disk driver there?"
  sounding=$(sounding_in "$out/$name.raw")
  echo "$name: $sounding sounding samples of $(($(stat -c %s "$out/$name.raw") / 2))"
}

# The dialog open, Start; a second into the game the music's 無 box is
# ticked: from the next pass of the loop on, silence, the game running on.
write_settings '"music.wav",0,0' 1
run music_off 'dialog' 456,20 sleep:1 'dialog:352,64' sleep:0.5 mark sleep:1.5
[ "$sounding" -gt 20000 ] || fail "the music was not heard before its box was ticked"
after=$(sounding_in "$out/music_off.raw" "$mark")
[ "$after" = 0 ] || fail "$after sounding samples after the music's 無 box was ticked"
echo "music_off: silent for the last $(($(stat -c %s "$out/music_off.raw") - mark)) bytes"

# One click low in the field, where the melkit never comes: a miss.
write_settings '"",0,1' 0
run miss_on 456,20 200,560 sleep:0.7
[ "$sounding" -gt 1000 ] || fail "the miss was not heard"
echo "PASS"
