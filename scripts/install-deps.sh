#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs, with apt-get, whatever the build, the program and the tests need
# and this machine lacks. Returns at once when everything is present.
set -eu

PACKAGES="g++ cmake ninja-build pkg-config
qt6-base-dev libqcustomplot-dev
libgtest-dev libgmock-dev libbenchmark-dev
xvfb xauth xdotool openbox wmctrl imagemagick x11-utils libxcb1-dev fonts-dejavu-core fonts-urw-base35
desktop-file-utils appstream dpkg-dev file
lintian reuse
clang libclang-rt-14-dev valgrind"

# One query for all packages keeps the common case (nothing missing) fast.
# shellcheck disable=SC2086
installed=$(dpkg-query -W -f='${Package} ${Status}\n' $PACKAGES 2>/dev/null |
    awk '/ install ok installed$/ { print $1 }' || true)
missing=""
for package in $PACKAGES; do
    echo "$installed" | grep -qx "$package" || missing="$missing $package"
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages:$missing" >&2
    echo "Run this as root, or install them with: sudo apt-get install$missing" >&2
    exit 1
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq $missing
