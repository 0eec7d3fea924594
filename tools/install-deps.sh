#!/usr/bin/env bash
# Installs the Debian 12 packages Tempora needs, only those missing. Without an argument: what
# building and running the program need. Each argument adds a group:
#   tests        the test suite (an X server for the smoke test, the install validators)
#   package      building the .deb
#   screenshots  tools/screenshots.sh
#   bench        ./bench.sh (the sqlite3 shell and /usr/bin/time as baselines)
#   fuzz         tools/fuzz.sh (clang with its libFuzzer and sanitizer runtimes)
# As a user without root and without sudo it prints the one apt-get line to run as root and stops.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev libqt6sql6-sqlite libsqlite3-dev libxxhash-dev qt6-translations-l10n
    fonts-liberation2 fonts-comic-neue
    tzdata
)
for group in "$@"; do
    case $group in
    tests) packages+=(xvfb xauth xdotool desktop-file-utils appstream man-db) ;;
    package) packages+=(dpkg-dev) ;;
    screenshots) packages+=(xvfb xauth xdotool imagemagick) ;;
    bench) packages+=(sqlite3 time) ;;
    fuzz) packages+=(clang libclang-rt-dev) ;;
    *)
        echo "install-deps.sh: unknown group '$group' (tests, package, screenshots, bench, fuzz)" >&2
        exit 2
        ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    as_root=(sudo)
elif command -v sudo >/dev/null && [ -t 0 ]; then
    as_root=(sudo) # sudo asks for the password
else
    echo "Tempora needs packages that are not installed. Run this as root, then start again:" >&2
    echo "    $line" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
