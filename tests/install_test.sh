#!/bin/sh
# Installs the built program into a temporary prefix and checks what a desktop user gets:
# the program with its help texts beside it, the link in bin, a valid desktop entry and
# AppStream metainfo, the icons, and an installed program that starts from a clean home.
#
# Usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR
#
# The program has no command-line options, so the test cannot ask it which help texts it
# found. It checks the two facts the help window relies on instead: the program reads its
# help from its own folder (QCoreApplication::applicationDirPath, which resolves the bin
# link), and both texts sit, unchanged, beside the link's target. tst_help covers the
# reading itself.
set -eu

cmake=$1
build_dir=$2
source_dir=$3
id=nl.zoverkamp.gameoflife

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$cmake" --install "$build_dir" --prefix "$prefix" >/dev/null

program=$prefix/lib/gameoflife/gameoflife
[ -x "$program" ] || fail "program not installed at $program"
for text in DeRegelsVanHetSpel.txt HoeTeSpelen.txt; do
    cmp -s "$source_dir/help/$text" "$prefix/lib/gameoflife/$text" ||
        fail "help text $text missing or changed beside the program"
done

link=$prefix/bin/gameoflife
[ -L "$link" ] || fail "$link is not a link"
case $(readlink "$link") in
/*) fail "$link points to an absolute path" ;;
esac
[ "$(readlink -f "$link")" = "$(readlink -f "$program")" ] || fail "$link does not lead to the program"

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] || fail "desktop entry missing"
[ -f "$metainfo" ] || fail "metainfo missing"
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$metainfo" || fail "metainfo does not validate"
grep -qx "Name=Conway's Game of Life" "$desktop" || fail "desktop entry has the wrong name"
grep -qx "Categories=Game;Simulation;" "$desktop" || fail "desktop entry has the wrong categories"
icon=$(sed -n 's/^Icon=//p' "$desktop")

# Width x height from a PNG's header, where they are big-endian 32-bit numbers at byte 16.
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}
for size in 16 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png
    [ -f "$png" ] || fail "icon $png missing"
    [ "$(png_size "$png")" = "${size}x$size" ] || fail "icon $png is not $size x $size pixels"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "scalable icon missing"

# Started through its link from another folder, with a clean home, the program must keep
# running until it is stopped: timeout's exit status 124.
home=$work/home
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
status=0
(cd / && HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/runtime \
    QT_QPA_PLATFORM=offscreen timeout 5 "$link") || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended with status $status instead of running"

echo "install test passed"
