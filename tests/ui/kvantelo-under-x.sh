#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the real program on a virtual X server with a window manager, finds
# its window by the caption and checks what the window manager was told: the
# exact title, a frame inside the screen, and a minimum size that a request
# for a smaller window cannot undercut. Takes a screenshot, presses Compute
# with the mouse, closes the window through the window manager and expects
# exit 0.
# Usage: kvantelo-under-x.sh [--screen WIDTHxHEIGHT] [--scale FACTOR]
#                            [--long-press X_PROBE] [--threads COUNT]
#                            PROGRAM CAPTION OUTPUT_DIR [WRAPPER...]
# --screen sets the size of the virtual screen (1280x1024), --scale the
# program's QT_SCALE_FACTOR (a whole number, 1), --threads its
# KVANTELO_THREADS, the threads that compute the paths (unset). --long-press adds a press of
# many seconds, as the first: during it the window answers the window
# manager's pings (sent with the x-probe helper), draws again what another
# window covered, shows the running line, keeps typed text for after the run,
# and stops at Escape; the close at the end then comes during a second long
# press and must end the program within a second. A wrapper command
# (valgrind and its options, say) runs the program; every wait then allows
# for a program that runs some fifty times slower.
set -u
screen=1280x1024
scale=1
probe=
while [ $# -gt 0 ]; do
    case $1 in
        --screen) screen=$2; shift 2 ;;
        --scale) scale=$2; shift 2 ;;
        --long-press) probe=$2; shift 2 ;;
        --threads) KVANTELO_THREADS=$2; export KVANTELO_THREADS; shift 2 ;;
        *) break ;;
    esac
done
program=$1
caption=$2
out=$3
shift 3
patience=1
[ $# -gt 0 ] && patience=30
# The designed client size, and Compute's centre in the client area: its
# place on the valuation page plus the page's offset below the tab bar. All
# in the window's own pixels, which the scale multiplies on the screen.
client_width=797
client_height=416
button_x=120
button_y=373
# Iterations [x 1024] and the centre of its field, and the parts of the client
# area that the long press looks at, as WIDTHxHEIGHT+LEFT+TOP.
iterations_x=406
iterations_y=93
iterations_field=56x18+378+84
financial_fields=230x150+10+60
chart=528x273+259+121
progress_bar=700x8+20+402
# Iterations of a press far longer than the checks made during it.
long_iterations=6000
# A request for less than the designed size.
small_width=600
small_height=300

for tool in Xvfb openbox xdotool wmctrl xprop xwininfo import; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

xvfb_pid= wm_pid= app_pid=
cleanup() {
    for pid in $app_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
}
trap cleanup EXIT

. "$(dirname "$0")/x-session.sh"
start_x_session "$out" "$screen" || exit 1
screen_width=${screen%x*}
screen_height=${screen#*x}
# In a sanitizer build, what the system's own libraries keep until exit is
# not a leak of the program.
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/system-libraries.supp"
export LSAN_OPTIONS

QT_SCALE_FACTOR=$scale "$@" "$program" >"$out/kvantelo.log" 2>&1 &
app_pid=$!

window=
for _ in $(seq $((300 * patience))); do
    window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "window not found" >&2; cat "$out/kvantelo.log" >&2; exit 1; }
if [ "$patience" -gt 1 ]; then sleep 10; else sleep 0.5; fi

# The title the window manager shows is the caption, with nothing appended.
net_wm_name=$(xprop -id "$window" _NET_WM_NAME)
[ "$net_wm_name" = "_NET_WM_NAME(UTF8_STRING) = \"$caption\"" ] ||
    { echo "window manager title is $net_wm_name" >&2; exit 1; }

# Client geometry in screen pixels: left top width height.
client_geometry() {
    xwininfo -id "$window" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF }
        END { print x, y, w, h }'
}
# The frame (the client and the decoration the window manager adds on each
# side) lies wholly inside the screen.
frame_inside_screen() {
    set -- $(client_geometry) $(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,/ /g')
    [ $# -eq 8 ] || { echo "no frame extents: $*" >&2; return 1; }
    left=$(($1 - $5)) top=$(($2 - $7)) right=$(($1 + $3 + $6)) bottom=$(($2 + $4 + $8))
    echo "frame from ($left, $top) to ($right, $bottom) on a $screen screen"
    [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ "$right" -le "$screen_width" ] && [ "$bottom" -le "$screen_height" ]
}
frame_inside_screen || { echo "the window's frame is not inside the screen" >&2; exit 1; }

# A part of the client area, WIDTHxHEIGHT+LEFT+TOP in the window's own
# pixels, as the same on the screen.
on_screen() { # PART
    read -r left top _ _ <<GEOMETRY
$(client_geometry)
GEOMETRY
    size=${1%%+*} offset=${1#*+}
    echo "$((${size%x*} * scale))x$((${size#*x} * scale))+$((left + ${offset%+*} * scale))+$((top + ${offset#*+} * scale))"
}
# A part of the client area in a screenshot, as its own image.
crop() { convert "$1" -crop "$(on_screen "$2")" +repage "$3"; } # SCREENSHOT PART OUTPUT
same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
# Pixels of the pseudo-random line's blue in a part of a screenshot.
blue_pixels() { # SCREENSHOT PART
    crop "$1" "$2" "$out/blue.png"
    convert "$out/blue.png" -fuzz 20% -fill white +opaque '#0000ff' -fill black -opaque '#0000ff' \
        -format '%[fx:round((1 - mean) * w * h)]' info:
}
click_at() { xdotool mousemove --window "$window" $(($1 * scale)) $(($2 * scale)) click 1; }
set_iterations() { click_at $iterations_x $iterations_y; xdotool key ctrl+a type "$1"; }
long_press_checks() {
    set_iterations $long_iterations
    sleep 0.5
    import -window root "$out/long-before.png"
    click_at $button_x $button_y
    # The first press: the value axis still spans 0 to 0, yet the live
    # redraws show the running line.
    sleep 2.5
    import -window root "$out/long-live.png"
    line=$(blue_pixels "$out/long-live.png" $chart)
    echo "running line: $line pixels 2.5 s into the first press"
    [ "$line" -gt 0 ] || { echo "the live chart shows no line" >&2; return 1; }
    "$probe" ping "$window" 3 || { echo "the window did not answer the window manager's pings" >&2; return 1; }
    # shellcheck disable=SC2046
    set -- $(on_screen $financial_fields | tr 'x+' '  ')
    "$probe" cover "$3" "$4" "$1" "$2" 500
    sleep 1
    import -window root "$out/long-uncovered.png"
    crop "$out/long-before.png" $financial_fields "$out/fields-before.png"
    crop "$out/long-uncovered.png" $financial_fields "$out/fields-uncovered.png"
    same_image "$out/fields-before.png" "$out/fields-uncovered.png" ||
        { echo "what another window covered was not drawn again during the run" >&2; return 1; }
    # Typed during the run, the default count appears only after it.
    crop "$out/long-uncovered.png" $iterations_field "$out/iterations-running.png"
    set_iterations 8
    sleep 0.5
    import -window root "$out/long-typed.png"
    crop "$out/long-typed.png" $iterations_field "$out/iterations-typed.png"
    same_image "$out/iterations-running.png" "$out/iterations-typed.png" ||
        { echo "text typed during the run appeared during it" >&2; return 1; }
    crop "$out/long-before.png" $progress_bar "$out/progress-idle.png"
    xdotool key Escape
    stopped=
    for _ in $(seq 20); do
        sleep 0.1
        import -window root "$out/long-stopped.png"
        crop "$out/long-stopped.png" $progress_bar "$out/progress-stopped.png"
        if same_image "$out/progress-idle.png" "$out/progress-stopped.png"; then stopped=1; break; fi
    done
    [ -n "$stopped" ] || { echo "Escape did not stop the run within 2 s" >&2; return 1; }
    sleep 0.5
    import -window root "$out/long-after.png"
    crop "$out/long-after.png" $iterations_field "$out/iterations-after.png"
    same_image "$out/iterations-running.png" "$out/iterations-after.png" &&
        { echo "text typed during the run did not appear after it" >&2; return 1; }
    echo "long press: pings answered, covered part drawn again, typed text kept for after the run, stopped by Escape"
}
if [ -n "$probe" ]; then
    long_press_checks || exit 1
fi

import -window root "$out/kvantelo-start.png" || { echo "screenshot failed" >&2; exit 1; }
click_at $button_x $button_y
# A press fills the grid and draws both lines, so the screen must change.
changed=
for _ in $(seq $((2 * patience))); do
    sleep 2
    import -window root "$out/kvantelo-computed.png"
    if ! cmp -s "$out/kvantelo-start.png" "$out/kvantelo-computed.png"; then changed=1; break; fi
done
[ -n "$changed" ] || { echo "pressing Compute changed nothing on the screen" >&2; exit 1; }
# Whatever the press still draws is finished before the window is resized.
[ "$patience" -gt 1 ] && sleep 10

# Asked for less, the window keeps at least its designed client size.
xdotool windowsize "$window" $((small_width * scale)) $((small_height * scale))
sleep $((patience > 1 ? 10 : 1))
read -r _ _ width height <<GEOMETRY
$(client_geometry)
GEOMETRY
echo "client $width x $height after a request for $((small_width * scale)) x $((small_height * scale))"
[ "$width" -ge $((client_width * scale)) ] && [ "$height" -ge $((client_height * scale)) ] ||
    { echo "the window shrank below its designed size" >&2; exit 1; }
frame_inside_screen || { echo "the resized window's frame is not inside the screen" >&2; exit 1; }

# With --long-press, the window is closed during a long run, which must end
# the program within a second.
waits=$((300 * patience))
if [ -n "$probe" ]; then
    set_iterations $long_iterations
    click_at $button_x $button_y
    sleep 1.5
    waits=10
fi
wmctrl -c "$caption"
status=
for _ in $(seq $waits); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
        wait "$app_pid"
        status=$?
        break
    fi
    sleep 0.1
done
app_pid=
[ -n "$status" ] || { echo "program did not end within $((waits / 10)) s of the close" >&2; exit 1; }
[ "$status" -eq 0 ] || { echo "program exited with $status" >&2; cat "$out/kvantelo.log" >&2; exit 1; }
echo "window found with its exact title and inside the screen, Compute pressed, kept its size, closed, exit status 0"
