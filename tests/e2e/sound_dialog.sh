#!/usr/bin/env bash
# The sound settings dialog on a real X server: opened by 効果音設定, the zarup
# catch failure's sound switched off with its 無 box and confirmed with OK; the
# file holds it at once, and the dialog shows it again after a restart. And
# the leftovers of saves cut short are cleared once the game holds its folder.
# usage: sound_dialog.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
start_x

# The 無 boxes' squares in the dialog: row 1 (music, ticked from the start)
# and row 3.
box_x=344 music_y=56 row3_y=136

open_dialog() {  # sets $dialog
  click_at 456 404  # 効果音設定
  dialog=$(find_window '^SoundMenu$') || fail "効果音設定 did not open the dialog"
  sleep 0.3
}

# Whether the 無 box of the row at $2 looks like the music's (ticked) in picture $1.
ticked() { "$look" same "$out/$1.png" $box_x "$2" "$out/$1.png" $box_x $music_y 16 17; }

touch "$game/wave/wave.ini.AbCdEf" "$game/wave/best-game.kinopa.QwErTy"
start_game
[ -z "$(ls "$game/wave" | grep -e AbCdEf -e QwErTy)" ] || fail "leftovers of saves cut short are still there"
open_dialog
"$look" shot "$dialog" "$out/dialog-opened.png"
ticked dialog-opened $row3_y && fail "row 3's 無 box looks ticked from the start"
xdotool mousemove --window "$dialog" $((box_x + 8)) $((row3_y + 8)) click 1
sleep 0.3
"$look" shot "$dialog" "$out/dialog-ticked.png"
ticked dialog-ticked $row3_y || fail "a click did not tick row 3's 無 box (see $out/dialog-ticked.png)"
xdotool mousemove --window "$dialog" 100 264 click 1  # OK
sleep 0.5
xdotool search --onlyvisible --name '^SoundMenu$' >/dev/null && fail "OK did not close the dialog"
expect_bytes "$game/wave/wave.ini" \
  '"",0,1\r\n"zarupok.wav",0,0\r\n"zarupfall.wav",0,1\r\n"melkitok.wav",0,0\r\n"melkitmiss.wav",0,0\r\n0\r\n'
click_at 455 580
wait_exit "the end button did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc"

start_game
open_dialog
"$look" shot "$dialog" "$out/dialog-restarted.png"
ticked dialog-restarted $row3_y || fail "after a restart row 3's 無 box is clear (see $out/dialog-restarted.png)"
wmctrl -c SoundMenu  # its close box hides it like Cancel
sleep 0.3
click_at 455 580
wait_exit "the end button did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc"
expect_bytes "$game/wave/wave.ini" \
  '"",0,1\r\n"zarupok.wav",0,0\r\n"zarupfall.wav",0,1\r\n"melkitok.wav",0,0\r\n"melkitmiss.wav",0,0\r\n0\r\n'
echo "PASS"
