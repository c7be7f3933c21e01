#!/bin/sh
# Builds Kvantelo (installing what is missing) and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kvantelo
exec build/release/ui/kvantelo
