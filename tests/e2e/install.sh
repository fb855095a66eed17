#!/usr/bin/env bash
# `cmake --install` into a prefix whose path needs quoting in a menu entry:
# the program in bin/, its pictures, sounds and first wave.ini in
# share/kinopa/, the menu entry, icons, metadata and manual page under share/,
# and nothing else directly under the prefix. The installed game starts from
# its menu entry, as a desktop starts it, shows the icon, and keeps its
# settings in the player's data folder, never in the install.
# usage: install.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
prefix="$out/prefix with space/\$HOME"
entry=$prefix/share/applications/net.kinopa.Kinopa.desktop
data=$prefix/share/kinopa
# Everything is in the default component; naming it makes cmake list what it
# installed in install_manifest_Unspecified.txt, so a player's own
# install_manifest.txt in the build folder is left alone.
cmake --install "$build" --prefix "$prefix" --component Unspecified >"$out/install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$out/install.log")"
for file in bin/kinopa share/kinopa/images/{back,zarup,melkit,tovrin,text}.bmp \
  share/kinopa/wave/{zarupok,zarupfall,melkitok,melkitmiss,music}.wav share/kinopa/wave/wave.ini \
  share/applications/net.kinopa.Kinopa.desktop share/metainfo/net.kinopa.Kinopa.metainfo.xml \
  share/icons/hicolor/{32x32,128x128,256x256}/apps/net.kinopa.Kinopa.png \
  share/man/man6/kinopa.6.gz share/doc/kinopa/{copyright,changelog.gz}; do
  [ -s "$prefix/$file" ] || fail "the install has no $file"
done
[ "$(ls -A "$prefix" | tr '\n' ' ')" = "bin share " ] || fail "the prefix holds more than bin/ and share/: $(ls -A "$prefix")"
[ -x "$prefix/bin/kinopa" ] || fail "the installed program cannot be run"
cmp -s "$data/wave/wave.ini" "$build/defaults/wave.ini" || fail "the installed wave.ini is not the first one"
desktop-file-validate "$entry" || fail "the menu entry is not valid: $(cat "$entry")"
for key in 'Name=Kinopa' 'Name\[ja\]=.' 'Comment=.' 'Comment\[ja\]=.' 'Icon=net.kinopa.Kinopa$' 'Type=Application$'; do
  grep -q "^$key" "$entry" || fail "the menu entry lacks $key"
done

# The player's own settings and record, in their data folder.
export XDG_DATA_HOME=$out/player-data
mkdir -p "$XDG_DATA_HOME/kinopa"
printf '"",0,1\r\n"zarupok.wav",0,0\r\n"zarupfall.wav",0,0\r\n"melkitok.wav",0,1\r\n"melkitmiss.wav",0,0\r\n999\r\n' \
  >"$XDG_DATA_HOME/kinopa/wave.ini"
cp "$XDG_DATA_HOME/kinopa/wave.ini" "$out/wave.ini.player"
find "$prefix" -printf '%p %s %T@\n' | sort >"$out/prefix.before"

# Started as a desktop starts it.
start_x
launch_entry "$entry"
[ "$(readlink -f "/proc/$pid/exe")" = "$(readlink -f "$prefix/bin/kinopa")" ] ||
  fail "the window belongs to $(readlink "/proc/$pid/exe"), not the installed program"
xprop -id "$win" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window shows no 32 x 32 icon"
# A desktop ties the window to its menu entry by the window's class.
wm_class=$(xprop -id "$win" WM_CLASS | sed -n 's/.*, "\(.*\)"$/\1/p')
grep -q -x "StartupWMClass=$wm_class" "$entry" || fail "the window's class $wm_class is not the menu entry's $(grep StartupWMClass "$entry")"
sleep 0.5
expect installed Label8=999 gamestart=Start  # the player's wave.ini was read
end_launched
cmp -s "$XDG_DATA_HOME/kinopa/wave.ini" "$out/wave.ini.player" || fail "the installed game did not save the player's settings as read"

# The menu entry's action "Watch the best game", run by its Exec line as a
# desktop runs it: with no best game yet a message, then the best game.
action=$(sed -n '/^\[Desktop Action watch-best\]/,/^$/ s/^Exec=//p' "$entry" | sed 's/\\\\/\\/g')
[ -n "$action" ] || fail "the menu entry has no action to watch the best game"
eval "set -- $action"
"$@" >"$out/action.log" 2>&1 &
pid=$!
answer_box '^Kinopa$'
wait_exit "watching without a best game did not end"
[ "$rc" = 2 ] || fail "watching without a best game ended with status $rc"
grep -q "no best game yet" "$out/action.log" || fail "watching without a best game said: $(cat "$out/action.log")"
cp "$(dirname "$0")/../../fuzz/seeds/best-game.kinopa" "$XDG_DATA_HOME/kinopa/"
"$@" >"$out/action.log" 2>&1 &
pid=$!
wait_window '^Kinopa — recording'
click_at 455 580
wait_exit "終了 did not end watching the best game"
echo "the menu entry's action watches the best game"

find "$prefix" -printf '%p %s %T@\n' | sort >"$out/prefix.after"
cmp -s "$out/prefix.before" "$out/prefix.after" ||
  fail "the game wrote into its install: $(diff "$out/prefix.before" "$out/prefix.after")"
echo "PASS"
