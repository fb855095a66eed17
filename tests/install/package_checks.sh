#!/usr/bin/env bash
# The Debian package as the distribution's tools see it: lintian finds no
# error (its warnings are shown), and the AppStream metadata, the menu entry
# and the manual page it ships each pass their own checker.
# usage: package_checks.sh DEB WORK_DIR
set -uo pipefail
deb=$1
work=$2/package-checks
rm -rf "$work" && mkdir -p "$work"
status=0
failed() { echo "FAIL: $*"; status=1; }

lintian --fail-on error --display-info "$deb" >"$work/lintian.log" 2>&1 ||
  failed "lintian reports errors"
cat "$work/lintian.log"

dpkg-deb -x "$deb" "$work/root" || { echo "FAIL: dpkg-deb cannot unpack $deb"; exit 1; }
share=$work/root/usr/share
appstreamcli validate --no-net --pedantic "$share"/metainfo/*.metainfo.xml ||
  failed "appstreamcli finds the metadata invalid"
# The metadata together with the menu entry and icons it points to.
appstreamcli validate-tree --no-net "$work/root" || failed "appstreamcli finds the installed tree invalid"
desktop-file-validate "$share"/applications/*.desktop || failed "the menu entry is not valid"
# The page names the Japanese buttons, so it is read as UTF-8 (-k) for a
# terminal (-Tutf8), as man(1) shows it; -ww turns on every warning.
zcat "$share/man/man6/kinopa.6.gz" >"$work/kinopa.6" || failed "the manual page cannot be unpacked"
groff -ww -z -man -k -Tutf8 "$work/kinopa.6" >"$work/groff.log" 2>&1
[ -s "$work/groff.log" ] && failed "groff warns about the manual page: $(cat "$work/groff.log")"
[ "$status" = 0 ] && echo PASS
exit "$status"
