# Shell functions for driving the real program on a private X server (Xvfb): start and
# stop the server, find the main window, and read the window's pixels from an xwd dump.
# Sourced by tests/smoke_test.sh, scripts/soak.sh and scripts/placement_survey.sh; needs
# Xvfb, xdotool, xwd, and xprop and xwininfo for the frame.

# start_xvfb LOG [WIDTHxHEIGHT]: starts Xvfb with one screen of that size (default
# 1600x1200) on a display number of its own, waits until it takes clients, sets XVFB_PID and
# exports DISPLAY. The numbers tried lie at random far above
# the usual ones, so that another X server or test is not met there; a number found taken
# makes Xvfb quit, and the next one is tried. Without -noreset the server resets when its
# last client leaves, and refuses connections meanwhile: the probe below would be one.
start_xvfb() {
    local number=$((200 + RANDOM % 500))
    for _ in $(seq 1 20); do
        number=$((number + 1))
        [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 "${2:-1600x1200}x24" -nolisten tcp -noreset >"$1" 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 1 100); do
            kill -0 "$XVFB_PID" 2>/dev/null || break
            if DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1 &&
                kill -0 "$XVFB_PID" 2>/dev/null; then
                export DISPLAY=":$number"
                return 0
            fi
            sleep 0.1
        done
        stop_xvfb
    done
    echo "Xvfb did not start:" >&2
    cat "$1" >&2
    return 1
}

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    fi
}

# wait_for_window TITLE [SECONDS]: prints the id of the first window with exactly that
# title once it is mapped.
wait_for_window() {
    local tries=$((${2:-20} * 10)) id
    for _ in $(seq 1 "$tries"); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# window_pixels WINDOW: one line per pixel of the window, "x y red green blue", from an
# xwd dump (32 bits per pixel, TrueColor, either byte order).
window_pixels() {
    local dump header width height bpl ncolors offset order
    dump=$(mktemp)
    xwd -silent -id "$1" >"$dump" || { rm -f "$dump"; return 1; }
    header=$(od -An -v -tu4 --endian=big -N 100 "$dump" | tr -s ' \n' ' ')
    set -- $header
    # Fields: 1 header size, 5 width, 6 height, 8 byte order, 12 bits per pixel,
    # 13 bytes per line, 20 colour map entries in the file.
    width=$5 height=$6 order=$8 bpl=${13} ncolors=${20}
    if [ "${12}" != 32 ] || [ "$4" != 24 ]; then
        echo "window_pixels: only 24-bit TrueColor dumps are read" >&2
        rm -f "$dump"
        return 1
    fi
    offset=$(($1 + ncolors * 12))
    od -An -v -tu1 -w"$bpl" -j "$offset" "$dump" |
        awk -v w="$width" -v h="$height" -v order="$order" '
            NR <= h {
                for (x = 0; x < w; ++x) {
                    i = 4 * x
                    if (order == 0) { b = $(i + 1); g = $(i + 2); r = $(i + 3) }
                    else { r = $(i + 2); g = $(i + 3); b = $(i + 4) }
                    print x, NR - 1, r, g, b
                }
            }'
    rm -f "$dump"
}

# colour_box WINDOW R G B: "count left top width height" of the window's pixels of that
# colour, the box enclosing them all; "0 0 0 0 0" when there is none.
colour_box() {
    window_pixels "$1" | awk -v r="$2" -v g="$3" -v b="$4" '
        $3 == r && $4 == g && $5 == b {
            if (n++ == 0) { l = $1; t = $2; rr = $1; bb = $2 }
            if ($1 < l) l = $1; if ($1 > rr) rr = $1
            if ($2 < t) t = $2; if ($2 > bb) bb = $2
        }
        END { if (n) print n, l, t, rr - l + 1, bb - t + 1; else print 0, 0, 0, 0, 0 }'
}

# pixel_colour WINDOW X Y: "red green blue" of one pixel of the window.
pixel_colour() {
    window_pixels "$1" | awk -v x="$2" -v y="$3" '$1 == x && $2 == y { print $3, $4, $5; exit }'
}

# open_workspace NAME: makes the temporary folder WORK, and on exit stops the program
# (PROGRAM_PID, when set), the X server and removes WORK. fail MESSAGE reports under NAME,
# with the program's output from WORK/program.log, and exits 1.
open_workspace() {
    FAIL_NAME=$1
    WORK=$(mktemp -d)
    PROGRAM_PID=
    trap close_workspace EXIT
}

close_workspace() {
    if [ -n "$PROGRAM_PID" ]; then
        kill "$PROGRAM_PID" 2>/dev/null
        wait "$PROGRAM_PID" 2>/dev/null
    fi
    stop_xvfb
    rm -rf "$WORK"
}

fail() {
    echo "$FAIL_NAME: $*" >&2
    if [ -s "$WORK/program.log" ]; then
        echo "--- program output" >&2
        cat "$WORK/program.log" >&2
    fi
    exit 1
}

# frame_gaps WINDOW: "left right top bottom", the gaps in device pixels between the screen's
# edges and the window's frame as the window manager publishes it (_NET_FRAME_EXTENTS);
# negative where the frame passes an edge. Fails while no frame is published.
frame_gaps() {
    local extents geometry screen
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p' | tr -d ,)
    [ -n "$extents" ] || return 1
    geometry=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 }
        /Absolute upper-left Y/ { y = $4 } /^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 }
        END { print x, y, w, h }')
    screen=$(xdotool getdisplaygeometry)
    echo "$extents $geometry $screen" | awk '{
        print $5 - $1, $9 - ($5 + $7 + $2), $6 - $3, $10 - ($6 + $8 + $4) }'
}

# frame_placed WINDOW TOLERANCE: the window's frame lies within the screen, and the gaps on
# opposite sides differ by at most TOLERANCE device pixels.
frame_placed() {
    local left right top bottom
    read -r left right top bottom < <(frame_gaps "$1") || return 1
    [ "$left" -ge 0 ] && [ "$right" -ge 0 ] && [ "$top" -ge 0 ] && [ "$bottom" -ge 0 ] &&
        [ $((left - right)) -le "$2" ] && [ $((right - left)) -le "$2" ] &&
        [ $((top - bottom)) -le "$2" ] && [ $((bottom - top)) -le "$2" ]
}
