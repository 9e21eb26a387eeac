#!/bin/sh
# Installs the built program into a temporary prefix and checks what a desktop user gets:
# the program with its help texts and examples beside it, the link in bin, the manual page,
# the copyright and changelog, a valid desktop entry and AppStream metainfo, the pattern
# file types registered for the program, the icons, and an installed program that answers
# --version and starts from a clean home.
#
# Usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR
#        install_test.sh --installed PREFIX SOURCE_DIR
# The second form checks a copy of a tree installed otherwise, as by the Debian package into
# a throwaway root, after registering the file types in it as the desktop's triggers would.
#
# The program cannot be asked which help texts it found. The test checks the two facts
# the help window relies on instead: the program reads its
# help from its own folder (QCoreApplication::applicationDirPath, which resolves the bin
# link), and both texts sit, unchanged, beside the link's target. tst_help covers the
# reading itself.
set -eu

source_dir=$3
id=nl.zoverkamp.gameoflife

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ "$1" = --installed ]; then
    cp -a "$2" "$prefix"
    update-mime-database "$prefix/share/mime" 2>/dev/null
    update-desktop-database -q "$prefix/share/applications"
else
    "$1" --install "$2" --prefix "$prefix" >/dev/null
fi

program=$prefix/lib/gameoflife/gameoflife
[ -x "$program" ] || fail "program not installed at $program"
for text in DeRegelsVanHetSpel.txt HoeTeSpelen.txt; do
    cmp -s "$source_dir/help/$text" "$prefix/lib/gameoflife/$text" ||
        fail "help text $text missing or changed beside the program"
done
for example in "$source_dir"/examples/*.rle; do
    cmp -s "$example" "$prefix/lib/gameoflife/voorbeelden/${example##*/}" ||
        fail "example ${example##*/} missing or changed beside the program"
done

manual=$prefix/share/man/man6/gameoflife.6.gz
[ -f "$manual" ] || fail "manual page missing"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page has faults: $warnings"
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$manual" 2>/dev/null | grep -q "^NAAM" ||
    fail "the manual page shows no NAAM section"
case $(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$manual" 2>/dev/null | tr -s ' \n' '  ') in
*"venster Instellingen met OK"*) ;;
*) fail "the manual page does not call the settings window by its title, Instellingen" ;;
esac
for doc in copyright changelog.gz; do
    [ -f "$prefix/share/doc/gameoflife/$doc" ] || fail "$doc missing from share/doc/gameoflife"
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
grep -qx "Exec=gameoflife %f" "$desktop" || fail "the desktop entry does not hand the program a file"

# The file types: the installed definition, read by the desktop's own tool into the
# prefix's database at install time, gives each pattern extension a type the desktop entry
# names; and the desktop's cache offers the program for each of those types.
[ -f "$prefix/share/mime/packages/$id.xml" ] || fail "file type definition missing"
[ -f "$prefix/share/mime/mime.cache" ] || fail "the file types were not registered"
types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
[ -n "$types" ] || fail "the desktop entry names no file types"
for extension in rle lif life cells mc rle.gz mc.gz; do
    type=$(sort -t: -k1,1nr "$prefix/share/mime/globs2" | awk -F: -v glob="*.$extension" \
        '$3 == glob { print $2; exit }')
    [ -n "$type" ] || fail "*.$extension is not registered"
    case " $types " in
    *" $type "*) ;;
    *) fail "*.$extension is $type, which the desktop entry does not name" ;;
    esac
    grep -qF "*.$extension" "$metainfo" || fail "the metainfo's description leaves out *.$extension"
done
for type in $types; do
    [ -f "$prefix/share/mime/$type.xml" ] || fail "$type, named by the desktop entry, is not defined"
    grep -q "<mediatype>$type</mediatype>" "$metainfo" ||
        fail "the metainfo does not name $type, which the desktop entry names"
    grep -q "^$type=.*$id.desktop" "$prefix/share/applications/mimeinfo.cache" ||
        fail "the desktop does not offer the program for $type"
done

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

case $("$link" --version) in
"gameoflife versie "[0-9]*) ;;
*) fail "the installed program does not answer --version" ;;
esac

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
