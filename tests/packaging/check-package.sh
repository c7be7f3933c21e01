#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package from an already built tree and checks its name,
# its contents, its metadata and that its dependencies came from the
# shared-library scan; has Debian's checker (lintian) judge it as a packager
# would and the REUSE tool check that every source file states its terms;
# and runs the packaged program.
# Usage: check-package.sh BUILD_DIR VERSION CAPTION
set -eu
build_dir=$1
version=$2
caption=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }

deb="$work/kvantelo_${version}_amd64.deb"
[ -f "$deb" ] || fail "expected $(basename "$deb"), got: $(ls "$work")"

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/contents"
for path in \
    /usr/bin/kvantelo \
    /usr/share/applications/org.kvantelo.Kvantelo.desktop \
    /usr/share/metainfo/org.kvantelo.Kvantelo.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/org.kvantelo.Kvantelo.svg \
    /usr/share/icons/hicolor/16x16/apps/org.kvantelo.Kvantelo.png \
    /usr/share/icons/hicolor/48x48/apps/org.kvantelo.Kvantelo.png \
    /usr/share/icons/hicolor/256x256/apps/org.kvantelo.Kvantelo.png \
    /usr/share/doc/kvantelo/copyright \
    /usr/share/doc/kvantelo/changelog.gz \
    /usr/share/man/man1/kvantelo.1.gz
do
    grep -qx "$path" "$work/contents" || fail "package lacks $path"
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6gui6 libqt6core6 libqcustomplot2.1 libstdc++6 libc6; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "wrong version"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "wrong architecture"

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.kvantelo.Kvantelo.desktop" ||
    fail "desktop entry invalid"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.kvantelo.Kvantelo.metainfo.xml" ||
    fail "metainfo invalid"
[ -x "$work/root/usr/bin/kvantelo" ] || fail "program not executable"
zcat "$work/root/usr/share/doc/kvantelo/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] ||
    fail "the changelog's newest entry is not $version"

# Debian's checker: no error and no warning. Its info and pedantic tags are
# shown; a hardening tag among them fails as well, and so does a program
# without the stack protector, which lintian does not look for.
lintian_status=0
lintian --fail-on error,warning --display-info --pedantic "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
cat "$work/lintian.log"
[ "$lintian_status" -eq 0 ] || fail "lintian reports an error or a warning"
if grep -q ': hardening-' "$work/lintian.log"; then fail "the program is not fully hardened"; fi
readelf --dyn-syms -W "$work/root/usr/bin/kvantelo" | grep -q ' __stack_chk_fail' ||
    fail "the program is built without the stack protector"

# Every file of the source states its copyright and licence.
reuse --root "$(dirname "$0")/../.." lint >"$work/reuse.log" 2>&1 ||
    { cat "$work/reuse.log" >&2; fail "reuse lint"; }

# The packaged program itself, as installed, must start, compute and close.
"$(dirname "$0")/../ui/kvantelo-under-x.sh" "$work/root/usr/bin/kvantelo" "$caption" "$work" ||
    fail "the packaged program did not run"
echo "package $(basename "$deb") is complete"
