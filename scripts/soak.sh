#!/usr/bin/env bash
# Soak test of the real window: a random 1280 x 1024 world of 1 x 1 pixel cells runs at
# 1 ms per generation under Xvfb for SOAK_SECONDS (default 600), opened through the open
# dialog and started with F3 as a user would. Every minute it reports the generations done
# and the resident memory of the program and of the X server; it fails when the program's
# memory grew, the run stopped or the program did not end cleanly with Alt+F4.
#
# The generation is read from the running program with gdb (the build carries debug info,
# as the default RelWithDebInfo build does): the picture shows the count only as text.
#
# Usage: scripts/soak.sh [PROGRAM]    (default build/gameoflife; needs Xvfb, xdotool, xwd, gdb)
set -u
here=$(cd "$(dirname "$0")" && pwd)
PROGRAM=$(realpath "${1:-$here/../build/gameoflife}")
DURATION=${SOAK_SECONDS:-600}
# Heap pages come and go a little; more than this is growth.
ALLOWED_GROWTH_KB=${SOAK_ALLOWED_GROWTH_KB:-1024}
. "$here/xserver.sh"

open_workspace "soak"

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# program_field NAME: a field of the main window, read with gdb from main's frame.
program_field() {
    gdb -p "$PROGRAM_PID" -batch -ex 'frame function main' -ex "print LifeForm->$1" 2>/dev/null |
        awk -F' = ' '/^\$1 = / { print $2 }'
}

# The settings: the largest world, 1 x 1 pixel cells, wrapping both ways, 1 ms.
settings="$WORK/config/Zoverkamp/Game of Life"
mkdir -p "$settings" "$WORK/home" "$WORK/runtime"
chmod 700 "$WORK/runtime"
printf '[Afmetingen]\nHorCells=1280\nVertCells=1024\nHorCellGrootte=1\nVertCellGrootte=1\n[Opties]\nWrapping=3\nTimerInterval=1\n' \
    >"$settings/vindrel.ini"

# A random pattern of 1280 x 1024 cells, about one in three alive.
pattern="$WORK/random.life"
awk 'BEGIN {
    srand(20240611)
    printf "!Naam:random!\r\n"
    for (y = 0; y < 1024; ++y) {
        row = ""
        for (x = 0; x < 1280; ++x) row = row (rand() < 1 / 3 ? "O" : ".")
        printf "%s\r\n", row
    }
}' >"$pattern"

start_xvfb "$WORK/xvfb.log" || fail "no X server"
HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" \
    QT_QPA_PLATFORM=xcb "$PROGRAM" >"$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
window=$(wait_for_window "Conway's Game of Life" 30) || fail "no main window"

xdotool windowfocus --sync "$window"
xdotool key ctrl+o
dialog=$(wait_for_window "Spel openen" 10) || fail "no open dialog"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 2 "$pattern"
xdotool key Return
opened() { [ "$(colour_box "$window" 200 200 255 | cut -d' ' -f1)" -lt $((1280 * 1024 * 9 / 10)) ]; }
for _ in $(seq 1 60); do
    opened && break
    sleep 0.5
done
opened || fail "the random pattern was not opened"

# Without a window manager the closed dialog leaves the main window inactive, and keys do
# not reach its shortcuts. A click on the status bar and the focus moved away and back
# make it active again; Qt takes a moment to act on them, so F3 is tried until it starts.
read -r _ height < <(xdotool getwindowgeometry "$window" | awk '/Geometry/ { sub("x", " ", $2); print $2 }')
root=$(xdotool search --maxdepth 0 --name '')
for _ in $(seq 1 5); do
    xdotool mousemove --window "$window" 640 $((height - 4)) click 1
    xdotool windowfocus --sync "$root"
    xdotool windowfocus --sync "$window"
    sleep 1
    xdotool key F3
    sleep 1
    [ "$(program_field Running)" = true ] && break
done
[ "$(program_field Running)" = true ] || fail "F3 did not start the run"
sleep 4

start_generation=$(program_field Engine.GenerationCount)
start_rss=$(rss_kb "$PROGRAM_PID")
start_x_rss=$(rss_kb "$XVFB_PID")
printf '%6s %12s %10s %12s\n' seconds generations "RSS kB" "Xvfb RSS kB"
printf '%6d %12d %10d %12d\n' 0 "$start_generation" "$start_rss" "$start_x_rss"
started=$SECONDS
while [ $((SECONDS - started)) -lt "$DURATION" ]; do
    sleep $((DURATION - (SECONDS - started) < 60 ? DURATION - (SECONDS - started) : 60))
    kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended during the run"
    printf '%6d %12d %10d %12d\n' $((SECONDS - started)) "$(program_field Engine.GenerationCount)" \
        "$(rss_kb "$PROGRAM_PID")" "$(rss_kb "$XVFB_PID")"
done
elapsed=$((SECONDS - started))
end_generation=$(program_field Engine.GenerationCount)
end_running=$(program_field Running)
end_rss=$(rss_kb "$PROGRAM_PID")
end_x_rss=$(rss_kb "$XVFB_PID")

xdotool windowfocus --sync "$window"
xdotool key alt+F4
for _ in $(seq 1 100); do
    kill -0 "$PROGRAM_PID" 2>/dev/null || break
    sleep 0.1
done
wait "$PROGRAM_PID"
status=$?
PROGRAM_PID=

generations=$((end_generation - start_generation))
echo "generations: $generations in $elapsed s ($((generations / elapsed)) per second)," \
    "$end_generation in all"
echo "program RSS: $start_rss kB at start, $end_rss kB at end ($((end_rss - start_rss)) kB)"
echo "Xvfb RSS: $start_x_rss kB at start, $end_x_rss kB at end ($((end_x_rss - start_x_rss)) kB)"
[ "$end_running" = true ] || fail "the run stopped before the end"
[ "$status" = 0 ] || fail "the program ended with exit code $status"
[ $((end_rss - start_rss)) -le "$ALLOWED_GROWTH_KB" ] || fail "the program's memory grew"
echo "soak passed"
