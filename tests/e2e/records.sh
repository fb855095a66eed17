#!/usr/bin/env bash
# The player's record, best game and ten best survive a logout's SIGTERM in
# the middle of a record game (saved as 終了 would). Ctrl+Q is 終了. And the
# edges of starting: --record beside a running copy (a message, status 1);
# a Japanese desktop's file chooser.
# usage: records.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
wave=$game/wave
start_x

last_score() { sed -n 's/^# last .* score=\([0-9-]*\) .*/\1/p' "$1"; }

# --- SIGTERM while a record game runs: it ends as 終了 ends it ---
start_game
track 6
kill -TERM "$pid"
wait_exit "SIGTERM did not end the game"
[ "$rc" = 0 ] || fail "after SIGTERM the exit status is $rc"
saved=$(tail -n1 "$wave/wave.ini" | tr -d '\r')
[ "${saved:-0}" -gt 0 ] || fail "SIGTERM after a record: wave.ini holds ${saved:-nothing}"
[ "$(last_score "$wave/best-game.kinopa")" = "$saved" ] ||
  fail "SIGTERM after a record: the best game scored $(last_score "$wave/best-game.kinopa"), the record is $saved"
# Kept among the ten best too, as the same recording.
cmp -s "$wave/best-game.kinopa" "$(ls "$wave"/best-games/*_"$saved".kinopa | tail -n1)" ||
  fail "the record game is not among the ten best: $(ls "$wave/best-games")"
start_game
expect after_sigterm Label8="$saved"
echo "SIGTERM after a record of $saved: the next start shows it, the best game is that game"

# --- --record beside a running copy: a message, status 1 ---
first=$pid
"$kinopa" --record "$out/second.kinopa" >"$out/second.log" 2>&1 &
pid=$!
box=""
for _ in $(seq 100); do
  box=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Kinopa$' 2>/dev/null | head -n1)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "--record beside a running copy showed no message: $(cat "$out/second.log")"
"$look" shot root "$out/record_refused.png"
xdotool windowactivate --sync "$box" key Return
wait_exit "--record beside a running copy did not end"
[ "$rc" = 1 ] || fail "--record beside a running copy ended with status $rc"
grep -q "recording needs it closed first" "$out/second.log" || fail "nothing said on standard error: $(cat "$out/second.log")"
[ -e "$out/second.kinopa" ] && fail "a recording was written although nothing was recorded"
echo "--record beside a running copy: a message and status 1"
pid=$first
click_at 455 580
wait_exit "the end button did not end the game"

# --- A Japanese desktop: Qt's own file chooser speaks Japanese too; Ctrl+Q is 終了 ---
LANG=ja_JP.UTF-8 LANGUAGE= LC_ALL= start_game
click_at 456 404  # 効果音設定
dialog=$(find_window '^SoundMenu$') || fail "効果音設定 did not open the dialog"
xdotool windowmove "$dialog" 0 0
sleep 0.3
xdotool mousemove --window "$dialog" 316 60 click 1  # 参照 of the first row
# (xdotool's search cannot match a title outside Latin-1: each is read.)
chooser=""
for _ in $(seq 50); do
  for w in $(xdotool search --all --onlyvisible --pid "$pid" --name . 2>/dev/null); do
    [ "$(xdotool getwindowname "$w")" = 開く ] && chooser=$w
  done
  [ -n "$chooser" ] && break
  sleep 0.1
done
[ -n "$chooser" ] ||
  fail "the file chooser is not titled 開く: $(xdotool search --onlyvisible --pid "$pid" --name . getwindowname %@ 2>/dev/null | tr '\n' '|')"
"$look" shot root "$out/chooser_ja.png"
xdotool windowactivate --sync "$chooser" key Escape
sleep 0.3
xdotool windowactivate --sync "$win" key ctrl+q
wait_exit "Ctrl+Q did not end the game"
[ "$rc" = 0 ] || fail "after Ctrl+Q the exit status is $rc"
echo "PASS"
