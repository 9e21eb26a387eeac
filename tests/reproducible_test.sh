#!/bin/sh
# Builds the Debian package twice from scratch, each time in a fresh build folder of the
# same name, and checks that the two packages are the same byte for byte. When they differ,
# it names the members and files that differ.
#
# Usage: reproducible_test.sh PACKAGE_BUILD_DIR (run from the source folder)
set -eu

build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for round in first second; do
    rm -rf "$build_dir"
    make package >"$work/$round.log" 2>&1 || fail "make package failed; see its log: $(tail -n 5 "$work/$round.log")"
    cp dist/gameoflife_*.deb "$work/$round.deb"
done

if ! cmp -s "$work/first.deb" "$work/second.deb"; then
    for round in first second; do
        mkdir "$work/$round" "$work/$round-files"
        (cd "$work/$round" && ar x "../$round.deb")
        dpkg-deb --fsys-tarfile "$work/$round.deb" | tar -x -C "$work/$round-files"
        dpkg-deb -c "$work/$round.deb" >"$work/$round-list"
    done
    ar tv "$work/first.deb" >&2
    ar tv "$work/second.deb" >&2
    diff "$work/first-list" "$work/second-list" >&2 || true
    diff -r "$work/first-files" "$work/second-files" >&2 || true
    fail "two builds of one commit give different packages"
fi
echo "reproducible: two clean builds give the same $(basename "$(ls dist/gameoflife_*.deb)")"
