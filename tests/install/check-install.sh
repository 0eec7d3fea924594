#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the result as a desktop would read it:
# every command has its manual page, the menu entry and the metainfo pass their validators, the
# icon is in the hicolor theme at each size it names, and the menu entry's command lays out a
# fresh data folder before it starts the program.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for command in "$prefix"/bin/*; do
    name=$(basename "$command")
    [ -f "$prefix/share/man/man1/$name.1" ] || fail "$name has no manual page"
    man --warnings -l "$prefix/share/man/man1/$name.1" >/dev/null 2>"$prefix/man-warnings" || true
    [ ! -s "$prefix/man-warnings" ] || fail "$name.1: $(cat "$prefix/man-warnings")"
done

entry="$prefix/share/applications/tempora.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"

icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable $icon.svg"
for size in 16 22 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ -f "$png" ] || { fail "no ${size}x${size} $icon.png"; continue; }
    # A PNG's width and height stand at bytes 16 to 23 of its header.
    [ "$(od -An -tu4 --endian=big -j16 -N8 "$png" | tr -s ' ')" = " $size $size" ] ||
        fail "$png is not ${size}x${size}"
done

# The entry's command, found on the PATH as a desktop finds it, with the program replaced by a
# stand-in that reports what it found, since the real one would wait for the operator.
exec_command=$(sed -n 's/^Exec=//p' "$entry")
home="$prefix/home"
printf '#!/bin/sh\nls "$TEMPORA_HOME"\n' >"$prefix/bin/tempora"
found=$(PATH="$prefix/bin:$PATH" TEMPORA_HOME="$home/Tempora" $exec_command) || true
[ "$found" = "$(printf 'Savetime.TXT\nTempora.mdb')" ] ||
    fail "$exec_command did not lay out the data folder before starting: $found"

[ $failures -eq 0 ] && echo "install layout: every check passed"
exit $((failures > 0))
