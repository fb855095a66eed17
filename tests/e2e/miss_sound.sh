#!/usr/bin/env bash
# A click that misses the melkit during a game is heard: with SDL's "disk"
# audio driver the game's sound output goes to a file, which holds sound
# after the miss. With the miss sound switched off (its 無 box ticked in
# wave.ini) the same play leaves the output silent.
# usage: miss_sound.sh PATH_TO_KINOPA BUILD_DIR
set -uo pipefail
build=$2
out=$build/e2e/miss_sound
rm -rf "$out" && mkdir -p "$out/game/bin" "$out/game/images" "$out/game/wave"
cp "$1" "$out/game/bin/"
cp "$build"/images/*.bmp "$out/game/images/"
cp "$build"/wave/*.wav "$out/game/wave/"
kinopa=$out/game/bin/kinopa
source "$(dirname "$0")/xsession.bash"
start_x

# Music and the other three effects off, so only the miss can sound.
write_settings() {  # $1: the miss sound's off box
  printf '"",0,1\r\n"zarupok.wav",0,1\r\n"zarupfall.wav",0,1\r\n"melkitok.wav",0,1\r\n"melkitmiss.wav",0,%s\r\n0\r\n' \
    "$1" >"$out/game/wave/wave.ini"
}

# Plays: Start, one click low in the field (the melkit keeps to the upper
# part), a moment to let the sound play out, then the end button. $1 names
# the output file.
play_one_miss() {
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$out/$1.raw
  start_game
  click_at 456 20     # Start
  sleep 0.3
  click_at 200 560    # a miss
  sleep 1
  click_at 455 580    # end button
  wait_exit "the end button did not end the program"
  [ "$rc" = 0 ] || fail "exit status $rc"
  [ -s "$out/$1.raw" ] || fail "no sound output in $1.raw: is SDL's disk driver there?"
}

# Samples other than 0 in a raw 16-bit output file.
sounding() { od -An -v -td2 "$1" | awk '{ for (i = 1; i <= NF; i++) if ($i != 0) n++ } END { print n + 0 }'; }

write_settings 0
play_one_miss miss_on
on=$(sounding "$out/miss_on.raw")
echo "miss sound on: $on sounding samples of $(( $(stat -c %s "$out/miss_on.raw") / 2 ))"
[ "$on" -gt 1000 ] || fail "the miss was not heard"

write_settings 1
play_one_miss miss_off
off=$(sounding "$out/miss_off.raw")
echo "miss sound off: $off sounding samples of $(( $(stat -c %s "$out/miss_off.raw") / 2 ))"
[ "$off" = 0 ] || fail "the miss sounded although switched off"
grep -q '"melkitmiss.wav",0,1' "$out/game/wave/wave.ini" || fail "the off box was not kept: $(cat "$out/game/wave/wave.ini")"
echo "PASS"
