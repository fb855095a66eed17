#!/usr/bin/env bash
# The menu entry's Exec and TryExec lines (and its actions' Exec) for install prefixes holding the
# characters a menu entry must escape, and for program folders other than
# bin/: each line as the desktop entry rules write it, and each entry valid.
# usage: exec_quoting.sh SOURCE_DIR WORK_DIR
set -uo pipefail
source_dir=$1
work=$2/install-quoting
rm -rf "$work" && mkdir -p "$work"
status=0

# prefix | program folder | Exec value | TryExec value (@ stands for $work/,
# the prefix is under it). No backslash: cmake itself takes it for a folder
# separator in install paths.
while IFS='|' read -r name bindir exec tryexec; do
  prefix=$work/$name
  cmake -DCMAKE_INSTALL_PREFIX="$prefix" -DKINOPA_INSTALL_BINDIR="${bindir//@/$work/}" \
    -DKINOPA_APPLICATIONS_DIR=share/applications \
    -DKINOPA_DESKTOP_TEMPLATE="$source_dir/tools/net.kinopa.Kinopa.desktop.in" \
    -DKINOPA_DESKTOP_STAGING="$work/staging.desktop" \
    -P "$source_dir/tools/desktop_entry.cmake" >"$work/log" 2>&1 || {
    echo "FAIL $name: $(cat "$work/log")"; status=1; continue; }
  entry=$prefix/share/applications/net.kinopa.Kinopa.desktop
  want_exec="Exec=${exec//@/$work/}"
  want_tryexec="TryExec=${tryexec//@/$work/}"
  got_exec=$(grep -m1 '^Exec=' "$entry")
  got_tryexec=$(grep '^TryExec=' "$entry")
  [ "$got_exec" = "$want_exec" ] || { echo "FAIL $name: $got_exec, not $want_exec"; status=1; }
  for action in watch-best scores; do
    got_action=$(sed -n "/^\\[Desktop Action $action\\]/,\$p" "$entry" | grep -m1 '^Exec=')
    [ "$got_action" = "$want_exec --$action" ] ||
      { echo "FAIL $name: the action's $got_action, not $want_exec --$action"; status=1; }
  done
  [ "$got_tryexec" = "$want_tryexec" ] || { echo "FAIL $name: $got_tryexec, not $want_tryexec"; status=1; }
  desktop-file-validate "$entry" || { echo "FAIL $name: the entry is not valid"; status=1; }
done <<'TABLE'
plain|bin|"@plain/bin/kinopa"|@plain/bin/kinopa
with space|bin|"@with space/bin/kinopa"|@with space/bin/kinopa
a"quote|bin|"@a\\"quote/bin/kinopa"|@a"quote/bin/kinopa
back`quote|bin|"@back\\`quote/bin/kinopa"|@back`quote/bin/kinopa
dollar$sign|bin|"@dollar\\$sign/bin/kinopa"|@dollar$sign/bin/kinopa
per%cent|bin|"@per%%cent/bin/kinopa"|@per%cent/bin/kinopa
games|games|"@games/games/kinopa"|@games/games/kinopa
own folder|@elsewhere/bin|"@elsewhere/bin/kinopa"|@elsewhere/bin/kinopa
TABLE
[ "$status" = 0 ] && echo PASS
exit "$status"
