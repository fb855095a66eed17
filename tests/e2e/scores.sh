#!/usr/bin/env bash
# kinopa --scores: the player's ten best games listed best first, and a
# Watch button that watches its own game. Two kept games (short hall games
# paused at different points, from kinopa_hall_player); the second one's
# Watch plays it to its own score.
# usage: scores.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
player=$build/bin/kinopa_hall_player
[ -x "$player" ] || { echo "SKIP: no kinopa_hall_player (built with the hall)"; exit 77; }
copy_game
kept=$game/wave/best-games
mkdir -p "$kept"
# keep SEED FRAMES DATE: a game paused after FRAMES, kept as played on DATE;
# sets $score.
keep() {
  "$player" "$1" "$2" >"$out/game.kinopa" || fail "kinopa_hall_player failed"
  score=$(sed -n 's/^# last .* score=\([0-9-]*\) .*/\1/p' "$out/game.kinopa")
  [ "${score:-0}" -gt 0 ] || fail "the game for seed $1 scored ${score:-nothing}"
  mv "$out/game.kinopa" "$kept/${3}_$score.kinopa"
}
keep 21 400 2026-12-09_21-05-02.004+0900
second=$score
keep 11 700 2026-12-08_09-57-39.123+0900
first=$score
[ "$first" -gt "$second" ] || fail "the games scored $first and $second: no order to see"
start_x

"$kinopa" --scores >"$out/kinopa.log" 2>&1 &
pid=$!
wait_window '^Kinopa — your ten best games$'
"$look" shot "$win" "$out/scores.png"
# The first Watch has the focus; the second is the next.
xdotool windowactivate --sync "$win" key Tab key space
wait_window '^Kinopa — recording, ended$'
"$look" shot "$win" "$out/watched.png"
score=$("$look" read "$out/watched.png" Label4)
[ "$score" = "Label4=$second" ] || fail "the second game's Watch ended on ${score#*=}, not $second"
wmctrl -c 'Kinopa — recording, ended'
wmctrl -c 'Kinopa — your ten best games'
wait_exit "closing the list did not end the program"
[ "$rc" = 0 ] || fail "exit status $rc"
echo "PASS"
