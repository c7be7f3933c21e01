# SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts that run the program on a virtual X server: starts
# the server and a window manager on it. Xvfb picks a free display itself and
# writes its number to a file, so servers started at the same moment by other
# scripts never collide on one display.
#
# start_x_session LOG_DIR SCREEN
#   SCREEN is WIDTHxHEIGHT. Sets DISPLAY (exported), xvfb_pid and wm_pid, and
#   returns once the window manager manages the screen; returns 1, with the
#   logs on standard error, when the server or the window manager does not
#   come up in three attempts. The caller kills both processes when done.

# One attempt; leaves nothing running when it fails.
start_x_session_once() {
    x_displayfd="$x_log_dir/xvfb.display"
    rm -f "$x_displayfd"
    Xvfb -displayfd 3 -screen 0 "${x_screen}x24" -nolisten tcp 3>"$x_displayfd" >"$x_log_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    x_display=
    for _ in $(seq 100); do
        x_display=$(head -n 1 "$x_displayfd" 2>/dev/null)
        [ -n "$x_display" ] && break
        sleep 0.1
    done
    if [ -n "$x_display" ]; then
        DISPLAY=":$x_display"
        export DISPLAY
        # The server answers requests.
        for _ in $(seq 50); do
            xdotool getmouselocation >/dev/null 2>&1 && break
            sleep 0.1
        done
        openbox >"$x_log_dir/openbox.log" 2>&1 &
        wm_pid=$!
        # A window manager announces itself with this property of the root
        # window; one that cannot reach the server ends at once.
        for _ in $(seq 100); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            kill -0 "$wm_pid" 2>/dev/null || break
            sleep 0.1
        done
    fi
    for pid in $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
    xvfb_pid= wm_pid=
    return 1
}

start_x_session() {
    x_log_dir=$1
    x_screen=$2
    unset QT_QPA_PLATFORM
    for _ in 1 2 3; do
        start_x_session_once && return 0
    done
    echo "no X server with a window manager" >&2
    cat "$x_log_dir/xvfb.log" "$x_log_dir/openbox.log" >&2 2>/dev/null
    return 1
}
