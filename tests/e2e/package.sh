#!/usr/bin/env bash
# The Debian package (KINOPA_DEB names it): every file under /usr/games and
# /usr/share. Unpacked into a folder of its own, the game runs there as a
# player with a new home: the first start shows no message box, 終了 ends it
# normally, the player's wave.ini is then in their data folder, a second
# start reads the record saved there, and nothing is ever written inside the
# unpacked package.
# usage: package.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
deb=${KINOPA_DEB:?KINOPA_DEB names the package to test}
[ -s "$deb" ] || fail "no package $deb"

dpkg-deb -c "$deb" >"$out/contents" || fail "dpkg-deb cannot list $deb"
awk '{print $6}' "$out/contents" >"$out/paths"
outside=$(grep -v -x -e './' -e './usr/' -e './usr/games/.*' -e './usr/share/.*' "$out/paths")
[ -z "$outside" ] || fail "the package installs outside /usr/games and /usr/share: $outside"
for file in usr/games/kinopa usr/share/games/kinopa/images/back.bmp usr/share/games/kinopa/wave/wave.ini \
  usr/share/applications/net.kinopa.Kinopa.desktop usr/share/metainfo/net.kinopa.Kinopa.metainfo.xml \
  usr/share/icons/hicolor/32x32/apps/net.kinopa.Kinopa.png usr/share/man/man6/kinopa.6.gz \
  usr/share/doc/kinopa/copyright; do
  grep -q -x "./$file" "$out/paths" || fail "the package has no /$file"
done

start_x
place=$(mktemp -d) || fail "no temporary folder"
trap 'stop_x; rm -rf "$place"' EXIT  # after start_x, whose trap it replaces
chmod 755 "$place"
root=$place/root
home=$place/home
mkdir "$home"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack $deb"
kinopa=$root/usr/games/kinopa
shipped=$root/usr/share/games/kinopa/wave/wave.ini
player_ini=$home/.local/share/kinopa/wave.ini
# The player is never root: as root the game runs as the user nobody.
as_player=(env -u XDG_DATA_HOME HOME="$home")
if [ "$(id -u)" = 0 ]; then
  chown nobody:nogroup "$home"
  as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${as_player[@]}")
  if ! "${as_player[@]}" test -x "$kinopa"; then
    echo "SKIP: running as root, and the game cannot be run as the user nobody here"
    exit 77
  fi
fi
snapshot() { find "$root" -printf '%p %s %T@ %m\n' | sort; }
snapshot >"$out/root.before"

# Starts the unpacked game as the player; it must show its main window alone.
start_player() {
  "${as_player[@]}" "$kinopa" >"$out/kinopa.log" 2>&1 &
  pid=$!
  wait_window
  sleep 0.5
  local w title
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    title=$(xdotool getwindowname "$w")
    [ "$title" = Kinopa ] || fail "$1: the game shows a window titled $title"
  done
}
end_game() {
  click_at 455 580
  wait_exit "$1: 終了 did not end the game"
  [ "$rc" = 0 ] || fail "$1: exit status $rc: $(cat "$out/kinopa.log")"
}

start_player "first start"
expect first Label8=0 gamestart=Start
end_game "first start"
[ -f "$player_ini" ] || fail "no wave.ini in the player's data folder: $(ls -laR "$home")"
cmp -s "$player_ini" "$shipped" || fail "the player's first wave.ini is not the shipped one: $(od -c "$player_ini")"

# A record in the player's own file is read back by the next start.
printf '"",0,1\r\n"zarupok.wav",0,0\r\n"zarupfall.wav",0,0\r\n"melkitok.wav",0,0\r\n"melkitmiss.wav",0,0\r\n999\r\n' \
  >"$player_ini"
start_player "second start"
expect second Label8=999 gamestart=Start
end_game "second start"
expect_bytes "$player_ini" \
  '"",0,1\r\n"zarupok.wav",0,0\r\n"zarupfall.wav",0,0\r\n"melkitok.wav",0,0\r\n"melkitmiss.wav",0,0\r\n999\r\n'

snapshot >"$out/root.after"
cmp -s "$out/root.before" "$out/root.after" ||
  fail "the game wrote inside the unpacked package: $(diff "$out/root.before" "$out/root.after")"
echo "PASS"
