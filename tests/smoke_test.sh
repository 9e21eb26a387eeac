#!/usr/bin/env bash
# The real program on a real X server (Xvfb, the xcb platform), driven like a user with
# xdotool: started with a pattern file, the window and its picture, a click, one step with
# F8, a pattern opened by typing its path and steps after each dialog, Alt+F4, and a click
# at a display scale of 2. Before that, the answers on the terminal; after it, the window's
# frame under a window manager.
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

# Help and version need no display; a mistake is told on standard error.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PROGRAM" --version 2>&1) &&
    [[ $out =~ ^"gameoflife versie "[0-9]+\.[0-9]+\.[0-9]+$ ]] ||
    fail "--version without a display answered: $out"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PROGRAM" -h 2>&1) &&
    [ "$(echo "$out" | head -n 1)" = "Gebruik: gameoflife [opties] [bestand]" ] ||
    fail "-h without a display answered: $out"
status=0
out=$(QT_QPA_PLATFORM=offscreen "$PROGRAM" --snel 2>&1 >/dev/null) || status=$?
[ "$status" = 2 ] && echo "$out" | grep -qx 'gameoflife: onbekende optie "--snel".' ||
    fail "--snel ended with status $status and said: $out"
status=0
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PROGRAM" --snel 2>&1 >/dev/null) ||
    status=$?
[ "$status" = 2 ] && echo "$out" | grep -qx 'gameoflife: onbekende optie "--snel".' ||
    fail "--snel without a display ended with status $status and said: $out"

start_xvfb "$WORK/xvfb.log" || fail "no X server"
mkdir -p "$WORK/home" "$WORK/config" "$WORK/runtime"
chmod 700 "$WORK/runtime"
# Under LeakSanitizer: the xcb platform's D-Bus connection keeps a buffer to the end.
printf 'leak:libdbus-1.so\n' >"$WORK/lsan.supp"
export LSAN_OPTIONS="suppressions=$WORK/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# Started with a glider in RLE, from another folder, as a file manager starts it.
mkdir -p "$WORK/patronen"
printf '#N Glider\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n' >"$WORK/patronen/glider.rle"
(cd "$WORK/patronen" && HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" \
    XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb exec "$PROGRAM" glider.rle) \
    >"$WORK/program.log" 2>&1 &
PROGRAM_PID=$!

WINDOW=$(wait_for_window "$TITLE" 30) || fail "no window titled \"$TITLE\""
[ "$(xdotool getwindowname "$WINDOW")" = "$TITLE" ] || fail "wrong title"

# The picture: 320 x 240 pixels, the glider of the command line in its top-left corner and
# every other pixel the dead colour. The window may be mapped a little before it is first
# painted.
picture_shows_glider() {
    read -r count left top width height < <(colour_box "$WINDOW" $DEAD)
    [ "$count $width $height" = "76795 320 240" ]
}
until_true 10 picture_shows_glider ||
    fail "picture is $width x $height with $count dead pixels, not 320 x 240 with a glider"

dead_count_is() { [ "$(colour_box "$WINDOW" $DEAD | cut -d' ' -f1)" = "$1" ]; }
pixel_is() { [ "$(pixel_colour "$WINDOW" "$1" "$2")" = "$3" ]; }
pixel_is $((left + 1)) "$top" "$LIVE" && pixel_is $((left + 2)) $((top + 1)) "$LIVE" &&
    pixel_is "$left" $((top + 2)) "$LIVE" && pixel_is $((left + 2)) $((top + 2)) "$LIVE" ||
    fail "the glider of the command line is not in the top-left corner"

xdotool windowfocus --sync "$WINDOW"
xdotool key ctrl+n
until_true 5 dead_count_is 76800 || fail "Ctrl+N did not empty the world"

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

# A user types the path of a glider into "Spel openen" and presses Enter while the name
# field's completion list is open. Nothing of the dialog may stay behind, and F8, pressed
# without a click, must step the opened glider: the keyboard is back with the main window.
printf '!Naam:glider!\r\n.O.\r\n..O\r\nOOO\r\n' >"$WORK/home/glider.life"
program_windows() { xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | sort; }
focus_is() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
xdotool key ctrl+o
wait_for_window "Spel openen" 10 >/dev/null || fail "Ctrl+O did not open \"Spel openen\""
xdotool type --delay 50 "$WORK/home/glider.life"
until_true 5 eval '[ "$(program_windows | wc -l)" -ge 3 ]' ||
    fail "no completion list appeared below the typed path"
xdotool key Return
until_true 5 eval '[ "$(program_windows)" = "$WINDOW" ]' ||
    fail "windows left on screen after Enter: $(program_windows | tr '\n' ' ')"
until_true 5 focus_is "$WINDOW" || fail "the main window did not get the keyboard back"
until_true 5 pixel_is $((left + 1)) "$top" "$LIVE" && pixel_is "$left" $((top + 2)) "$LIVE" &&
    dead_count_is 76795 || fail "the glider was not opened at the top-left corner"
xdotool key F8
until_true 5 pixel_is "$left" $((top + 1)) "$LIVE" || fail "F8 after opening did not step"
pixel_is $((left + 1)) "$top" "$DEAD" && pixel_is $((left + 1)) $((top + 3)) "$LIVE" &&
    dead_count_is 76795 || fail "F8 after opening gave a wrong generation"

# The same after the settings dialog, opened by its mnemonic and left with Esc.
xdotool key alt+i
DIALOG=$(wait_for_window "Instellingen" 10) || fail "Alt+I did not open \"Instellingen\""
until_true 5 focus_is "$DIALOG" || fail "the settings dialog did not get the keyboard"
xdotool key Escape
until_true 5 eval '[ "$(program_windows)" = "$WINDOW" ]' || fail "the settings dialog stayed open"
until_true 5 focus_is "$WINDOW" || fail "the keyboard did not come back from the settings dialog"
xdotool key F8
until_true 5 pixel_is "$left" $((top + 2)) "$LIVE" || fail "F8 after the settings did not step"
pixel_is "$left" $((top + 1)) "$DEAD" && pixel_is $((left + 2)) $((top + 3)) "$LIVE" &&
    dead_count_is 76795 || fail "F8 after the settings gave a wrong generation"

# And after the program's own message box, which has no parent window: on an emptied
# world F3 stops at the first tick with "Stabiel systeem!", Enter closes it, and F3 works
# again without a click.
two_windows() { [ "$(program_windows | wc -l)" = 2 ]; }
xdotool key ctrl+n
until_true 5 dead_count_is 76800 || fail "Ctrl+N did not empty the world"
xdotool key F3
until_true 10 two_windows || fail "F3 on an empty world showed no \"Stabiel systeem!\""
xdotool key Return
until_true 5 eval '[ "$(program_windows)" = "$WINDOW" ]' || fail "the message box stayed open"
until_true 5 focus_is "$WINDOW" || fail "the keyboard did not come back from the message box"
xdotool key F3
until_true 10 two_windows || fail "F3 after the message box did nothing"
xdotool key Return
until_true 5 focus_is "$WINDOW" || fail "the keyboard did not come back from the second box"

# There is no window manager: Alt+F4 reaches the program's own "Afsluiten" shortcut.
xdotool key alt+F4
until_true 10 eval '! kill -0 "$PROGRAM_PID" 2>/dev/null' || fail "Alt+F4 did not end the program"
wait "$PROGRAM_PID"
status=$?
PROGRAM_PID=
[ "$status" = 0 ] || fail "the program ended with exit code $status"
# The program keeps no configuration besides its settings file, and writes the settings
# only after they were confirmed: the file holds only the recent files, which the two opens
# changed, newest first.
INI="$WORK/config/Zoverkamp/Game of Life/vindrel.ini"
[ "$(find "$WORK/config" -type f)" = "$INI" ] ||
    fail "the configuration folder holds more: $(find "$WORK/config" -mindepth 1 | tr '\n' ' ')"
RECENT=$(printf '[Recente bestanden]\nBestand1="%s"\nBestand2="%s"' "$WORK/home/glider.life" \
    "$WORK/patronen/glider.rle")
[ "$(cat "$INI")" = "$RECENT" ] || fail "the settings file holds more than the recent files: $(cat "$INI")"
[ -z "$(find "$WORK/home" -iname vindrel.ini)" ] ||
    fail "a settings file was written although the settings were not confirmed"
# At a display scale of 2 a click hits the cell under the pointer, also on an odd device
# pixel, which lies between two logical ones. A first start there shows 200%: a cell of
# 2 x 2 device pixels, the picture 640 x 480.
(HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" \
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 exec "$PROGRAM") >>"$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
WINDOW=$(wait_for_window "$TITLE" 30) || fail "no window at scale 2"
picture_is_empty() {
    read -r count left top width height < <(colour_box "$WINDOW" $DEAD)
    [ "$count $width $height" = "307200 640 480" ]
}
until_true 10 picture_is_empty ||
    fail "at scale 2 the picture is $width x $height with $count dead pixels, not 640 x 480"
x=$((left + 101)) y=$((top + 51))
xdotool mousemove --window "$WINDOW" "$x" "$y" click 1
until_true 5 pixel_is "$x" "$y" "$LIVE" || fail "at scale 2 the cell under the pointer did not flip"
pixel_is $((x - 1)) $((y - 1)) "$LIVE" && dead_count_is 307196 ||
    fail "at scale 2 a click flipped another cell than the one under the pointer"
# Undone, the world is as it was started, so closing asks nothing.
xdotool windowfocus --sync "$WINDOW"
xdotool key ctrl+z
until_true 5 dead_count_is 307200 || fail "at scale 2 Ctrl+Z did not undo the click"
xdotool key alt+F4
until_true 10 eval '! kill -0 "$PROGRAM_PID" 2>/dev/null' || fail "Alt+F4 did not end the program at scale 2"
wait "$PROGRAM_PID"
PROGRAM_PID=

# Under a window manager, where openbox is installed: the frame it draws lies within the
# screen and is centred to the pixel, at start and after a zoom, at display scales 1 and 2.
# At scale 2 the client stands on every second device pixel, so the gaps on opposite sides
# may differ by two.
if command -v openbox >/dev/null; then
    openbox >"$WORK/openbox.log" 2>&1 &
    OPENBOX_PID=$!
    trap 'kill "$OPENBOX_PID" 2>/dev/null; close_workspace' EXIT
    until_true 10 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window' ||
        fail "openbox did not start"
    mkdir -p "$WORK/wm-home" "$WORK/wm-config"
    for scale in 1 2; do
        HOME="$WORK/wm-home" XDG_CONFIG_HOME="$WORK/wm-config" XDG_RUNTIME_DIR="$WORK/runtime" \
            QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$PROGRAM" >"$WORK/program.log" 2>&1 &
        PROGRAM_PID=$!
        WINDOW=$(wait_for_window "$TITLE" 30) || fail "no window under openbox at scale $scale"
        until_true 5 frame_placed "$WINDOW" "$scale" ||
            fail "at scale $scale the frame at start lies off the screen or off centre:" \
                "gaps left right top bottom $(frame_gaps "$WINDOW")"
        before=$(frame_gaps "$WINDOW")
        xdotool windowactivate --sync "$WINDOW" key ctrl+plus
        until_true 5 eval '[ "$(frame_gaps "$WINDOW")" != "$before" ]' ||
            fail "at scale $scale Ctrl++ did not zoom in"
        until_true 5 frame_placed "$WINDOW" "$scale" ||
            fail "at scale $scale the frame after a zoom lies off the screen or off centre:" \
                "gaps left right top bottom $(frame_gaps "$WINDOW")"
        kill "$PROGRAM_PID"
        wait "$PROGRAM_PID"
        PROGRAM_PID=
    done
fi
echo "smoke test passed"
