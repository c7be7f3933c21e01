#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package from an already built tree and checks its name,
# its contents, its metadata and that its dependencies came from the
# shared-library scan, and runs the packaged program.
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
    /usr/share/icons/hicolor/256x256/apps/org.kvantelo.Kvantelo.png
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

# The packaged program itself, as installed, must start, compute and close.
"$(dirname "$0")/../ui/kvantelo-under-x.sh" "$work/root/usr/bin/kvantelo" "$caption" "$work" ||
    fail "the packaged program did not run"
echo "package $(basename "$deb") is complete"
