#!/usr/bin/env bash
# `cmake --install` into a prefix whose path needs quoting in a menu entry:
# the program with its images/ and wave/ beside it, the menu entry and the
# icon in the hicolor theme; a second install keeps the player's wave.ini; the
# installed game starts from its menu entry, as a desktop starts it, shows the
# icon and plays with the installed settings.
# usage: install.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
prefix="$out/prefix with space/\$HOME"
entry=$prefix/share/applications/kinopa.desktop
# Everything is in the default component; naming it makes cmake list what it
# installed in install_manifest_Unspecified.txt, so a player's own
# install_manifest.txt in the build folder is left alone.
install_game() { cmake --install "$build" --prefix "$prefix" --component Unspecified; }

install_game >"$out/install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$out/install.log")"
for file in bin/kinopa images/{back,zarup,melkit,tovrin,text}.bmp \
  wave/{zarupok,zarupfall,melkitok,melkitmiss,music}.wav wave/wave.ini \
  share/applications/kinopa.desktop share/icons/hicolor/{32x32,128x128,256x256}/apps/kinopa.png; do
  [ -s "$prefix/$file" ] || fail "the install has no $file"
done
[ -x "$prefix/bin/kinopa" ] || fail "the installed program cannot be run"
cmp -s "$prefix/wave/wave.ini" "$build/defaults/wave.ini" || fail "the installed wave.ini is not the first one"
desktop-file-validate "$entry" || fail "the menu entry is not valid: $(cat "$entry")"
for key in 'Name=Kinopa' 'Name\[ja\]=.' 'Comment=.' 'Comment\[ja\]=.' 'Icon=kinopa$' 'Type=Application$'; do
  grep -q "^$key" "$entry" || fail "the menu entry lacks $key"
done

# The player's own settings and record survive the next install.
printf '"",0,1\r\n"zarupok.wav",0,0\r\n"zarupfall.wav",0,0\r\n"melkitok.wav",0,1\r\n"melkitmiss.wav",0,0\r\n999\r\n' \
  >"$prefix/wave/wave.ini"
cp "$prefix/wave/wave.ini" "$out/wave.ini.player"
install_game >"$out/install-again.log" 2>&1 ||
  fail "the second install failed: $(cat "$out/install-again.log")"
grep -q 'Keeping: .*wave/wave.ini' "$out/install-again.log" || fail "the second install does not say it kept wave.ini"
cmp -s "$prefix/wave/wave.ini" "$out/wave.ini.player" || fail "the second install replaced the player's wave.ini"

# Started as a desktop starts it: gio reads the entry's Exec line.
start_x
gio launch "$entry" >"$out/kinopa.log" 2>&1 || fail "gio cannot launch the menu entry: $(cat "$out/kinopa.log")"
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --name '^Kinopa$' 2>/dev/null | head -n1) && [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || fail "the launched game shows no window: $(cat "$out/kinopa.log")"
pid=$(xprop -id "$win" _NET_WM_PID | awk '{print $3}')
[ "$(readlink -f "/proc/$pid/exe")" = "$(readlink -f "$prefix/bin/kinopa")" ] ||
  fail "the window belongs to $(readlink "/proc/$pid/exe"), not the installed program"
xprop -id "$win" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window shows no 32 x 32 icon"
sleep 0.5
expect installed Label8=999 gamestart=Start  # the installed wave.ini was read
click_at 455 580
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the end button did not end the installed game"
pid=""
cmp -s "$prefix/wave/wave.ini" "$out/wave.ini.player" || fail "the installed game did not save its settings as read"
echo "PASS"
