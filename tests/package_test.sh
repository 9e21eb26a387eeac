#!/bin/sh
# Checks the Debian package as a user's machine would take it: lintian finds nothing to
# report, its dependencies are met by this machine, dpkg installs it with every file it
# lists and every file a desktop user needs, the installed program answers --version with
# the package's version, and removing it leaves no file behind. The install goes into a
# throwaway root (dpkg --root), so this machine is never changed.
#
# Usage: package_test.sh PACKAGE.deb SOURCE_DIR
set -eu

deb=$(realpath "$1")
source_dir=$(realpath "$2")
package=$(dpkg-deb -f "$deb" Package)
version=$(dpkg-deb -f "$deb" Version)

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

lintian --fail-on error,warning --no-tag-display-limit "$deb" || fail "lintian reports the package"

# apt only works it out: every dependency is installed here, nothing else would come in.
plan=$(apt-get install --simulate -q "$deb") || fail "apt cannot install the package"
if echo "$plan" | grep '^Inst ' | grep -v "^Inst $package "; then
    fail "the package needs packages this machine lacks"
fi

# The root holds no other package: the libraries the program needs come from this machine.
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --log=/dev/null -i "$deb" >/dev/null || fail "dpkg -i fails"

listed=$(dpkg --root="$root" -L "$package")
echo "$listed" | while read -r path; do
    [ -e "$root$path" ] || [ -L "$root$path" ] || fail "$path, listed by dpkg -L, is not installed"
done
sh "$source_dir/tests/install_test.sh" --installed "$root/usr" "$source_dir" >/dev/null ||
    fail "the installed package lacks what a desktop user needs"
answer=$("$root/usr/bin/gameoflife" --version)
[ "$answer" = "gameoflife versie $version" ] ||
    fail "the installed program answers \"$answer\" to --version, not version $version"

dpkg --root="$root" --log=/dev/null -r "$package" >/dev/null || fail "dpkg -r fails"
left=$(find "$root" -mindepth 1 -path "$root/var/lib/dpkg" -prune -o \
    ! -path "$root/var" ! -path "$root/var/lib" -print)
[ -z "$left" ] || fail "removing the package leaves $left"

echo "package test passed: $deb"
