#!/usr/bin/env bash
# One running copy for each settings folder: a second start, reaching the
# folder through a symbolic link and with another temporary folder, brings
# the running copy's window back to the front and ends with status 0; beside
# a copy that is stopped (kill -STOP) it says so and ends with status 1
# within 8 s; a start while the running copy is ending waits for it and
# plays; a copy killed outright leaves a lock that does not block the next
# start, even where it cannot be cleared; a copy with a settings folder of
# its own runs beside it.
# usage: single_copy.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
copy_game
start_x

# The session's runtime folder, where the copies find each other.
export XDG_RUNTIME_DIR=$out/run
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# $1's window titled $2 (default ^Kinopa$), once shown within 10 s.
window_of() {
  local w
  for _ in $(seq 100); do
    w=$(xdotool search --all --onlyvisible --pid "$1" --name "${2:-^Kinopa\$}" 2>/dev/null | head -n1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits up to $2 tenths of a second for process $1 to end; sets $rc.
ended() {
  for _ in $(seq "$2"); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && return 1
  rc=0
  wait "$1" || rc=$?
}

start_game "$kinopa"
first=$pid
first_win=$win

# The same settings folder through a symbolic link, and another temporary
# folder: still the same copy, whose window comes back to the front.
linked=$out/linked
mkdir -p "$linked/bin" "$out/tmp2"
cp "$kinopa" "$linked/bin/"
ln -s "$game/images" "$linked/images"
ln -s "$game/wave" "$linked/wave"
xdotool windowminimize --sync "$first_win" || fail "cannot minimize the game's window"
TMPDIR=$out/tmp2 "$linked/bin/kinopa" >"$out/linked.log" 2>&1 &
second=$!
ended $second 100 || fail "the second start did not end: it plays beside the first"
[ "$rc" = 0 ] || fail "the second start ended with status $rc: $(cat "$out/linked.log")"
for _ in $(seq 50); do
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$first_win" ] && break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Kinopa$' | grep -qx "$first_win" ||
  fail "the running copy's window did not come back"
[ "$(xdotool getactivewindow)" = "$first_win" ] || fail "the running copy's window is not in front"

# Beside a stopped copy: a message, status 1, within 8 s.
kill -STOP "$first"
began=$SECONDS
"$kinopa" >"$out/stuck.log" 2>&1 &
second=$!
box=$(window_of $second) || fail "no message beside the stopped copy: $(cat "$out/stuck.log")"
took=$((SECONDS - began))
"$look" shot root "$out/stuck.png" 2>/dev/null
xdotool windowactivate --sync "$box" key Return
ended $second 50 || fail "the start beside the stopped copy did not end"
kill -CONT "$first"
[ "$rc" = 1 ] || fail "the start beside the stopped copy ended with status $rc"
[ "$took" -le 8 ] || fail "the message beside the stopped copy took $took s"
grep -q "does not answer" "$out/stuck.log" || fail "nothing said on standard error: $(cat "$out/stuck.log")"
echo "beside a stopped copy: a message after $took s, status 1"

# Started again while the running copy ends (held there by a stop): the new
# start waits for it, then plays.
xdotool windowactivate --sync "$first_win"
kill -STOP "$first"
xdotool mousemove --window "$first_win" 455 580 click 1  # 終了, taken once it goes on
"$kinopa" >"$out/again.log" 2>&1 &
second=$!
sleep 1.5
kill -CONT "$first"
ended $first 50 || fail "the first copy did not end"
pid=$second
win=$(window_of $second) || fail "started while the first copy ended: no game window: $(cat "$out/again.log")"
echo "a start while the first copy ended waited for it and plays"

# Killed outright: its lock stays behind, and is seen to be stale.
kill -9 "$second"
wait "$second" 2>/dev/null
[ -e "$game/wave/kinopa.lock" ] || fail "the killed copy left no lock to test with"

# That lock in a folder the player may not write to: nothing can be saved
# there, and the lock cannot be cleared, but the game plays.
chmod 555 "$game/wave"
as_player=()
[ "$(id -u)" = 0 ] && as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
"${as_player[@]}" "$kinopa" >"$out/readonly.log" 2>&1 &
readonly_copy=$!
window_of $readonly_copy >/dev/null ||
  fail "a read-only folder with a leftover lock: no game window: $(cat "$out/readonly.log")"
kill $readonly_copy
wait $readonly_copy 2>/dev/null
chmod 755 "$game/wave"
echo "a read-only folder with a leftover lock: the game plays"
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
pid=$mine
xdotool windowactivate --sync "$win" 2>/dev/null
click_at 455 580
wait_exit "the end button did not end the game"
[ "$rc" = 0 ] || fail "exit status $rc"
[ -e "$mine_game/wave/kinopa.lock" ] && fail "the game left its lock behind"
echo "PASS"
