#!/usr/bin/env bash
# kinopa-hall's Debian package as the distribution's tools see it: lintian
# finds no error (its warnings are shown), the manual page passes groff, the
# unit passes systemd-analyze, and the package holds the server, its unit and
# the browser's site.
# usage: hall_package_checks.sh DEB WORK_DIR
set -uo pipefail
deb=$1
work=$2/hall-package-checks
rm -rf "$work" && mkdir -p "$work"
status=0
failed() { echo "FAIL: $*"; status=1; }

lintian --fail-on error --display-info "$deb" >"$work/lintian.log" 2>&1 || failed "lintian reports errors"
cat "$work/lintian.log"
dpkg-deb -x "$deb" "$work/root" || { echo "FAIL: dpkg-deb cannot unpack $deb"; exit 1; }
for f in usr/bin/kinopa-hall lib/systemd/system/kinopa-hall.service usr/share/kinopa-hall/site/index.html \
         usr/share/kinopa-hall/site/kinopa-web.wasm.gz usr/share/man/man8/kinopa-hall.8.gz; do
  [ -e "$work/root/$f" ] || failed "the package has no $f"
done
zcat "$work/root/usr/share/man/man8/kinopa-hall.8.gz" >"$work/kinopa-hall.8"
groff -ww -z -man -Tutf8 "$work/kinopa-hall.8" >"$work/groff.log" 2>&1
[ -s "$work/groff.log" ] && failed "groff warns about the manual page: $(cat "$work/groff.log")"
# The unit as systemd reads it, its program where the unit says.
sed "s|/usr/bin/kinopa-hall|$work/root/usr/bin/kinopa-hall|" \
  "$work/root/lib/systemd/system/kinopa-hall.service" >"$work/kinopa-hall.service"
systemd-analyze verify --man=no "$work/kinopa-hall.service" >"$work/verify.log" 2>&1 ||
  failed "systemd-analyze finds the unit wrong: $(cat "$work/verify.log")"
"$work/root/usr/bin/kinopa-hall" --help >/dev/null || failed "the packaged kinopa-hall does not run"
[ "$status" = 0 ] && echo PASS
exit "$status"
