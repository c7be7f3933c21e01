#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds everything (installing what is missing) and runs every test twice:
# in the optimised build, and again under AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the run. Runs the engine
# tests and the window's press tests a third time under ThreadSanitizer, with
# paths on three threads. Then fuzzes the input conversions with libFuzzer
# for a bounded time; a crash fails the run.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh

for preset in release sanitize; do
    echo "=== $preset build ==="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    echo "=== $preset tests ==="
    ctest --preset "$preset" -j2
done

echo "=== tsan build ==="
cmake --preset tsan >/dev/null
cmake --build --preset tsan
echo "=== tsan tests ==="
ctest --preset tsan -j2

echo "=== fuzz build ==="
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
echo "=== fuzz run ==="
ctest --preset fuzz
