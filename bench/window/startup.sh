#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Time from starting the program to its window being shown, on a virtual X
# server with a window manager: the median of several starts, in ms. Beside
# it, the processor time the program had used by then, which a busy machine
# does not inflate.
# Usage: startup.sh PROGRAM CAPTION [STARTS]
# The build tree holds a startup.sh beside window_bench that fills in the
# program and its caption: build/release/bench/window/startup.sh [STARTS].
set -u
program=$1
caption=$2
starts=${3:-9}

for tool in Xvfb openbox xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

log=$(mktemp -d)
xvfb_pid= wm_pid= app_pid=
cleanup() {
    for pid in $app_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$log"
}
trap cleanup EXIT

. "$(dirname "$0")/../../tests/ui/x-session.sh"
start_x_session "$log" 1280x1024 || exit 1

ticks_per_second=$(getconf CLK_TCK)
times=
cpu_times=
for run in $(seq "$starts"); do
    start=$(date +%s%N)
    "$program" >"$log/kvantelo.log" 2>&1 &
    app_pid=$!
    shown=
    # Polled without pause: each look takes a few milliseconds by itself.
    while [ $(( $(date +%s%N) - start )) -lt 10000000000 ]; do
        if [ -n "$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null)" ]; then
            shown=$(date +%s%N)
            break
        fi
    done
    [ -n "$shown" ] || { echo "window not shown within 10 s" >&2; cat "$log/kvantelo.log" >&2; exit 1; }
    ms=$(( (shown - start) / 1000000 ))
    # User and system time, fields 14 and 15 of the process's stat line.
    cpu_ms=$(awk -v hz="$ticks_per_second" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$app_pid/stat")
    echo "start $run: $ms ms (processor $cpu_ms ms)"
    times="$times $ms"
    cpu_times="$cpu_times $cpu_ms"
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null
    app_pid=
    sleep 0.3
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "median of $starts starts: $(median $times) ms (processor $(median $cpu_times) ms)"
