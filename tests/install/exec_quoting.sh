#!/usr/bin/env bash
# The menu entry's Exec and TryExec lines for install prefixes holding the
# characters a menu entry must escape: each line as the desktop entry rules
# write it, and each entry valid.
# usage: exec_quoting.sh SOURCE_DIR WORK_DIR
set -uo pipefail
source_dir=$1
work=$2/install-quoting
rm -rf "$work" && mkdir -p "$work"
status=0

# prefix | Exec value | TryExec value (the prefix is under $work). No
# backslash: cmake itself takes it for a folder separator in install paths.
while IFS='|' read -r name exec tryexec; do
  prefix=$work/$name
  cmake -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DKINOPA_DESKTOP_TEMPLATE="$source_dir/tools/kinopa.desktop.in" \
    -DKINOPA_DESKTOP_STAGING="$work/staging.desktop" \
    -P "$source_dir/tools/desktop_entry.cmake" >"$work/log" 2>&1 || {
    echo "FAIL $name: $(cat "$work/log")"; status=1; continue; }
  entry=$prefix/share/applications/kinopa.desktop
  want_exec="Exec=${exec//@/$work/}"
  want_tryexec="TryExec=${tryexec//@/$work/}"
  got_exec=$(grep '^Exec=' "$entry")
  got_tryexec=$(grep '^TryExec=' "$entry")
  [ "$got_exec" = "$want_exec" ] || { echo "FAIL $name: $got_exec, not $want_exec"; status=1; }
  [ "$got_tryexec" = "$want_tryexec" ] || { echo "FAIL $name: $got_tryexec, not $want_tryexec"; status=1; }
  desktop-file-validate "$entry" || { echo "FAIL $name: the entry is not valid"; status=1; }
done <<'TABLE'
plain|"@plain/bin/kinopa"|@plain/bin/kinopa
with space|"@with space/bin/kinopa"|@with space/bin/kinopa
a"quote|"@a\\"quote/bin/kinopa"|@a"quote/bin/kinopa
back`quote|"@back\\`quote/bin/kinopa"|@back`quote/bin/kinopa
dollar$sign|"@dollar\\$sign/bin/kinopa"|@dollar$sign/bin/kinopa
per%cent|"@per%%cent/bin/kinopa"|@per%cent/bin/kinopa
TABLE
[ "$status" = 0 ] && echo PASS
exit "$status"
