#!/usr/bin/env bash
# The real program on a real X server (Xvfb, the xcb platform), driven like a user with
# xdotool: the window and its empty picture, a click, one step with F8 and Alt+F4.
# Usage: smoke_test.sh PROGRAM SOURCE_DIR
set -u
PROGRAM=$1
. "$2/scripts/xserver.sh"

TITLE="Conway's Game of Life"
DEAD="200 200 255"
LIVE="0 0 0"

open_workspace "smoke test"

# until_true SECONDS COMMAND...: runs COMMAND until it succeeds, at most SECONDS long.
until_true() {
    local tries=$(($1 * 10))
    shift
    for _ in $(seq 1 "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

start_xvfb "$WORK/xvfb.log" || fail "no X server"
mkdir -p "$WORK/home" "$WORK/config" "$WORK/runtime"
chmod 700 "$WORK/runtime"
# Under LeakSanitizer: the xcb platform's D-Bus connection keeps a buffer to the end.
printf 'leak:libdbus-1.so\n' >"$WORK/lsan.supp"
export LSAN_OPTIONS="suppressions=$WORK/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" \
    QT_QPA_PLATFORM=xcb "$PROGRAM" >"$WORK/program.log" 2>&1 &
PROGRAM_PID=$!

WINDOW=$(wait_for_window "$TITLE" 30) || fail "no window titled \"$TITLE\""
[ "$(xdotool getwindowname "$WINDOW")" = "$TITLE" ] || fail "wrong title"

# The picture: 320 x 240 pixels, every one of them the dead colour. The window may be
# mapped a little before it is first painted.
picture_is_empty_world() {
    read -r count left top width height < <(colour_box "$WINDOW" $DEAD)
    [ "$count $width $height" = "76800 320 240" ]
}
until_true 10 picture_is_empty_world ||
    fail "picture is $width x $height with $count dead pixels, not 320 x 240 all dead"

dead_count_is() { [ "$(colour_box "$WINDOW" $DEAD | cut -d' ' -f1)" = "$1" ]; }
pixel_is() { [ "$(pixel_colour "$WINDOW" "$1" "$2")" = "$3" ]; }

# A click makes the one cell under the pointer black (cells are 1 x 1 pixel).
x=$((left + 100)) y=$((top + 50))
xdotool mousemove --window "$WINDOW" "$x" "$y" click 1
until_true 5 pixel_is "$x" "$y" "$LIVE" || fail "the clicked cell did not turn black"
dead_count_is 76799 || fail "a click changed more than one cell"

# Two more clicks make a horizontal blinker; F8 turns it upright, so one step ran.
xdotool mousemove --window "$WINDOW" $((x - 1)) "$y" click 1
xdotool mousemove --window "$WINDOW" $((x + 1)) "$y" click 1
until_true 5 dead_count_is 76797 || fail "the blinker was not drawn"
xdotool windowfocus --sync "$WINDOW"
xdotool key F8
until_true 5 pixel_is "$x" $((y - 1)) "$LIVE" || fail "F8 did not step"
pixel_is "$x" $((y + 1)) "$LIVE" && pixel_is $((x - 1)) "$y" "$DEAD" &&
    pixel_is $((x + 1)) "$y" "$DEAD" && dead_count_is 76797 || fail "F8 gave a wrong generation"

# There is no window manager: Alt+F4 reaches the program's own "Afsluiten" shortcut.
xdotool key alt+F4
until_true 10 eval '! kill -0 "$PROGRAM_PID" 2>/dev/null' || fail "Alt+F4 did not end the program"
wait "$PROGRAM_PID"
status=$?
PROGRAM_PID=
[ "$status" = 0 ] || fail "the program ended with exit code $status"
[ -z "$(find "$WORK/home" "$WORK/config" -iname vindrel.ini)" ] ||
    fail "a settings file was written although the settings were not confirmed"
echo "smoke test passed"
