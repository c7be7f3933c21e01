#!/bin/sh
# Starts the real program on a virtual X server with a window manager, finds
# its window by the caption, takes a screenshot, presses Compute with the
# mouse, closes the window through the window manager and expects exit 0.
# Usage: kvantelo-under-x.sh PROGRAM OUTPUT_DIR [WRAPPER...]
# A wrapper command (valgrind and its options, say) runs the program; every
# wait then allows for a program that runs some fifty times slower.
set -u
program=$1
out=$2
shift 2
patience=1
[ $# -gt 0 ] && patience=30
caption='Kvantelo:         Quasi random numbers in Monte Carlo simulation'
# Compute's centre in the window's client area: its place on the valuation
# page plus the page's offset below the tab bar.
button_x=120
button_y=373

for tool in Xvfb openbox xdotool wmctrl import; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

xvfb_pid= wm_pid= app_pid=
cleanup() {
    for pid in $app_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to this file, so
# servers started at the same moment by other tests never collide.
displayfd="$out/xvfb.display"
rm -f "$displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfd" >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
display=
for _ in $(seq 100); do
    display=$(head -n 1 "$displayfd" 2>/dev/null)
    [ -n "$display" ] && break
    sleep 0.1
done
[ -n "$display" ] || { echo "no X server" >&2; cat "$out/xvfb.log" >&2; exit 1; }
display=":$display"
export DISPLAY=$display
unset QT_QPA_PLATFORM
# In a sanitizer build, what the system's own libraries keep until exit is
# not a leak of the program.
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/system-libraries.supp"
export LSAN_OPTIONS
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$out/openbox.log" 2>&1 &
wm_pid=$!
sleep 0.5

"$@" "$program" >"$out/kvantelo.log" 2>&1 &
app_pid=$!

window=
for _ in $(seq $((300 * patience))); do
    window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "window not found" >&2; cat "$out/kvantelo.log" >&2; exit 1; }
if [ "$patience" -gt 1 ]; then sleep 10; else sleep 0.5; fi
import -window root "$out/kvantelo-start.png" || { echo "screenshot failed" >&2; exit 1; }

xdotool mousemove --window "$window" "$button_x" "$button_y" click 1
# A press fills the grid and draws both lines, so the screen must change.
changed=
for _ in $(seq $((2 * patience))); do
    sleep 2
    import -window root "$out/kvantelo-computed.png"
    if ! cmp -s "$out/kvantelo-start.png" "$out/kvantelo-computed.png"; then changed=1; break; fi
done
[ -n "$changed" ] || { echo "pressing Compute changed nothing on the screen" >&2; exit 1; }
# Whatever the press still draws is finished before the window is closed.
[ "$patience" -gt 1 ] && sleep 10

wmctrl -c "$caption"
status=
for _ in $(seq $((300 * patience))); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
        wait "$app_pid"
        status=$?
        break
    fi
    sleep 0.1
done
app_pid=
[ -n "$status" ] || { echo "program did not end after its window was closed" >&2; exit 1; }
[ "$status" -eq 0 ] || { echo "program exited with $status" >&2; cat "$out/kvantelo.log" >&2; exit 1; }
echo "window found, Compute pressed, closed, exit status 0"
