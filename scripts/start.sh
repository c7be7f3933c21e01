#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Kvantelo (installing what is missing) and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kvantelo
exec build/release/ui/kvantelo
