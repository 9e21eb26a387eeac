#!/usr/bin/env bash
# The main window's frame against the screen under a real window manager (openbox on
# Xvfb): four screens, three worlds, two cell sizes and ten zooms each (the zoom at start,
# 100%, then 50% and 25%, then every level up to 3200%), at each display scale given. A
# state is wrong when the frame passes an edge of the screen, or when the gaps on opposite
# sides differ by more than one logical pixel (at scale 2 the client can only stand on
# every second device pixel). Prints every wrong state and a count per scale; exits 1 when
# there is one. Takes a few minutes a scale, so it is no part of the test suite.
# Usage: scripts/placement_survey.sh PROGRAM [SCALE...]   (scales 1, 1.5 and 2 by default)
set -u
PROGRAM=$(realpath "$1")
shift
SCALES=("${@:-1}")
[ $# -gt 0 ] || SCALES=(1 1.5 2)
. "$(dirname "$0")/xserver.sh"

TITLE="Conway's Game of Life"
SCREENS=(1920x1080 1366x768 1280x1024 2560x1440)
WORLDS=("320 240" "640 480" "1280 1024")
CELLS=(1 2)

command -v openbox >/dev/null || { echo "placement survey: openbox is not installed" >&2; exit 1; }
open_workspace "placement survey"
OPENBOX_PID=
trap '[ -z "$OPENBOX_PID" ] || kill "$OPENBOX_PID"; close_workspace' EXIT

# The frame's gaps once they have stayed the same for three looks in a row.
settled_gaps() {
    local last="" now same=0
    for _ in $(seq 1 50); do
        now=$(frame_gaps "$1") || now=""
        if [ -n "$now" ] && [ "$now" = "$last" ]; then
            same=$((same + 1))
            [ "$same" -ge 2 ] && { echo "$now"; return 0; }
        else
            same=0
        fi
        last=$now
        sleep 0.1
    done
    echo "$last"
}

# judge STATE GAPS TOLERANCE: counts the state, and reports it when it is wrong.
judge() {
    local left right top bottom
    STATES=$((STATES + 1))
    read -r left right top bottom <<<"$2"
    if [ -z "$2" ] || [ "$left" -lt 0 ] || [ "$right" -lt 0 ] || [ "$top" -lt 0 ] ||
        [ "$bottom" -lt 0 ] || [ $((left - right)) -gt "$3" ] || [ $((right - left)) -gt "$3" ] ||
        [ $((top - bottom)) -gt "$3" ] || [ $((bottom - top)) -gt "$3" ]; then
        WRONG=$((WRONG + 1))
        echo "  wrong: $1: gaps left right top bottom ${2:-none}"
    fi
}

status=0
for scale in "${SCALES[@]}"; do
    tolerance=$(awk -v s="$scale" 'BEGIN { t = int(s); if (t < s) ++t; print t }')
    STATES=0 WRONG=0
    for screen in "${SCREENS[@]}"; do
        start_xvfb "$WORK/xvfb.log" "$screen" || fail "no X server"
        openbox >"$WORK/openbox.log" 2>&1 &
        OPENBOX_PID=$!
        until_wm=0
        until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window; do
            until_wm=$((until_wm + 1))
            [ "$until_wm" -lt 100 ] || fail "openbox did not start"
            sleep 0.1
        done
        for world in "${WORLDS[@]}"; do
            read -r width height <<<"$world"
            for cell in "${CELLS[@]}"; do
                rm -rf "$WORK/config"
                mkdir -p "$WORK/config/Zoverkamp/Game of Life" "$WORK/home"
                printf '[Afmetingen]\nHorCells=%d\nVertCells=%d\nHorCellGrootte=%d\nVertCellGrootte=%d\n[Opties]\nZoom=100\n' \
                    "$width" "$height" "$cell" "$cell" >"$WORK/config/Zoverkamp/Game of Life/vindrel.ini"
                HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb \
                    QT_SCALE_FACTOR="$scale" "$PROGRAM" >"$WORK/program.log" 2>&1 &
                PROGRAM_PID=$!
                window=$(wait_for_window "$TITLE" 30) || fail "no window on $screen"
                state="scale $scale, screen $screen, $width x $height cells of $cell x $cell"
                judge "$state, zoom 100% at start" "$(settled_gaps "$window")" "$tolerance"
                zoom=100
                for key in minus minus plus plus plus plus plus plus plus; do
                    xdotool windowactivate --sync "$window" key "ctrl+$key" 2>/dev/null
                    [ "$key" = plus ] && zoom=$((zoom * 2)) || zoom=$((zoom / 2))
                    judge "$state, zoom $zoom%" "$(settled_gaps "$window")" "$tolerance"
                done
                kill "$PROGRAM_PID"
                wait "$PROGRAM_PID" 2>/dev/null
                PROGRAM_PID=
            done
        done
        kill "$OPENBOX_PID"
        wait "$OPENBOX_PID" 2>/dev/null
        OPENBOX_PID=
        stop_xvfb
    done
    echo "scale $scale: $WRONG of $STATES states off the screen or off centre"
    [ "$WRONG" = 0 ] || status=1
done
exit "$status"
