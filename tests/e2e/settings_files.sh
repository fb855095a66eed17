#!/usr/bin/env bash
# The settings file and the sound files going wrong on a real X server: a
# missing wave.ini, a missing effect file and a wave/ folder the game cannot
# write into. Each is reported in its message box and the game goes on.
# usage: settings_files.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
start_x
read_problem='^wave\.iniファイルに何か問題あるみたいです。$'
save_problem='^wave\.iniファイルに保存できませんでした。$'

# --- No wave.ini: its message box at start and at every game start, the game
# --- goes on with the first settings, and the end saves them ---
copy_game "$out/no-ini"
rm "$game/wave/wave.ini"
"$kinopa" >"$out/kinopa.log" 2>&1 &
pid=$!
answer_box "$read_problem"
wait_window
click_at 456 20  # Start: the game is prepared again, and the file is still missing
answer_box "$read_problem"
expect no-ini-playing gamestart=Pause
click_at 456 20  # Pause, so the record shown is the one that will be saved
read_window no-ini-paused Label8 gamestart
[ "$gamestart" = Start ] && [ "$Label8" != "?" ] || fail "cannot pause: $gamestart, record $Label8"
click_at 455 580
wait_exit "the end button did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc"
expect_bytes "$game/wave/wave.ini" \
  '"",0,1\r\n"zarupok.wav",0,0\r\n"zarupfall.wav",0,0\r\n"melkitok.wav",0,0\r\n"melkitmiss.wav",0,0\r\n%s\r\n' "$Label8"

# --- A missing effect file: its message box; the row is switched off and
# --- saved so. Temporary files of saves cut short are gone after the start,
# --- and only they ---
copy_game "$out/no-effect"
rm "$game/wave/melkitok.wav"
touch "$game/wave/wave.ini.AbCdEf" "$game/wave/best-game.kinopa.QwErTy" "$game/wave/wave.ini.AbCdE"
"$kinopa" >"$out/kinopa.log" 2>&1 &
pid=$!
answer_box '^melkitクリック成功効果音ファイルに関して$'
wait_window
[ -e "$game/wave/wave.ini.AbCdEf" ] || [ -e "$game/wave/best-game.kinopa.QwErTy" ] &&
  fail "leftovers of interrupted saves are still there: $(ls "$game/wave")"
[ -e "$game/wave/wave.ini.AbCdE" ] || fail "a file that only looks like a leftover was removed"
rm "$game/wave/wave.ini.AbCdE" 
expect no-effect Label4=0 gamestart=Start
click_at 455 580
wait_exit "the end button did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc"
expect_bytes "$game/wave/wave.ini" \
  '"",0,1\r\n"zarupok.wav",0,0\r\n"zarupfall.wav",0,0\r\n"melkitok.wav",0,1\r\n"melkitmiss.wav",0,0\r\n0\r\n'

# --- A wave/ folder the game may not write into: quitting with nothing
# --- changed saves nothing and says nothing; OK's failed save is reported,
# --- the program still ends normally, the old file stays whole ---
# Root writes into any folder, so as root the game runs as the user nobody;
# its copy lives where nobody can reach it.
place=$(mktemp -d) || fail "no temporary folder"
trap 'stop_x; rm -rf "$place"' EXIT
chmod 755 "$place"
copy_game "$place/game"
printf '"",0,1\r\n"zarupok.wav",0,0\r\n"zarupfall.wav",0,1\r\n"melkitok.wav",0,0\r\n"melkitmiss.wav",0,0\r\n4321\r\n' \
  >"$game/wave/wave.ini"
cp "$game/wave/wave.ini" "$out/wave.ini.before"
as_player=()
if [ "$(id -u)" = 0 ]; then
  as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$place")
  if ! "${as_player[@]}" test -r "$game/wave/wave.ini"; then
    echo "SKIP: running as root, and the game cannot be run as the user nobody here," \
      "so no folder is read-only to it"
    exit 77
  fi
  "${as_player[@]}" test -w "$game/wave" && fail "nobody may write into $game/wave"
else
  chmod a-w "$game/wave" "$game/wave/wave.ini"
  trap 'stop_x; chmod -R u+w "$place"; rm -rf "$place"' EXIT
fi
stamp=$(stat -c '%i %Y' "$game/wave/wave.ini")
"${as_player[@]}" "$kinopa" >"$out/kinopa.log" 2>&1 &
pid=$!
wait_window
sleep 0.5
expect read-only Label8=4321
click_at 455 580  # nothing changed: nothing to save, no box
wait_exit "the program did not end quietly with nothing to save"
[ "$rc" = 0 ] || fail "exit status $rc after quitting with nothing to save"
[ "$(stat -c '%i %Y' "$game/wave/wave.ini")" = "$stamp" ] || fail "wave.ini was replaced"
# OK in the sound settings always saves: the failure is reported, the
# program goes on and ends normally, the old file stays whole.
"${as_player[@]}" "$kinopa" >"$out/kinopa.log" 2>&1 &
pid=$!
wait_window
sleep 0.5
click_at 456 404  # 効果音設定
dialog=$(find_window '^SoundMenu$') || fail "効果音設定 did not open the dialog"
sleep 0.3
xdotool mousemove --window "$dialog" 100 264 click 1  # OK
answer_box "$save_problem"
click_at 455 580
wait_exit "the program did not end after the failed save"
[ "$rc" = 0 ] || fail "exit status $rc after a failed save"
cmp -s "$game/wave/wave.ini" "$out/wave.ini.before" || fail "wave.ini was changed: $(od -c "$game/wave/wave.ini")"
[ "$(stat -c '%i %Y' "$game/wave/wave.ini")" = "$stamp" ] || fail "wave.ini was replaced"
[ -z "$(ls -A "$game/wave" | grep -v -e '\.wav$' -e '^wave\.ini$')" ] || fail "the failed save left files behind: $(ls "$game/wave")"
echo "PASS"
