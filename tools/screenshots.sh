#!/usr/bin/env bash
# Makes the README's pictures of each window, resources/screenshots/*.png, from the program as
# built now: starts it under Xvfb on a fresh installation folder with a one-hour difference and
# a few contacts, opens each window with the mouse as an operator would, and photographs it.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh screenshots
build=${1:-build} # or the build folder given
[ -d "$build" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target tempora tempora-init tempora-adif >/dev/null

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
export TEMPORA_HOME="$folder/Tempora" XDG_CONFIG_HOME="$folder/config" TEMPORA_FLOPPY="$folder"
export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=Europe/Rome
"$build"/tools/tempora-init >/dev/null
printf '01.00.00' >"$TEMPORA_HOME/Savetime.TXT"
cat >"$folder/contacts.adi" <<'ADI'
Tempora screenshots <EOH>
<CALL:5>Q1AAA <QSO_DATE:8>20261205 <TIME_ON:6>181000 <TIME_OFF:6>181500 <NAME:5>Mario <QTH:4>Roma <BAND:3>20m <FREQ:6>14.205 <MODE:3>SSB <EOR>
<CALL:5>Q2BBB <QSO_DATE:8>20261206 <TIME_ON:6>093000 <TIME_OFF:6>094200 <NAME:4>Anna <QTH:6>Torino <BAND:3>40m <FREQ:5>7.030 <MODE:2>CW <EOR>
ADI
"$build"/tools/tempora-adif import "$folder/contacts.adi" >/dev/null

out=resources/screenshots
xvfb-run -a -s "-screen 0 1024x600x24" bash -c '
    set -euo pipefail
    out=$1
    "$2" &
    window() { timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1; }
    click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 1; }
    shot() { import -window "$1" "$out/$2.png"; }
    origin() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

    splash=$(timeout 20 xdotool search --sync --onlyvisible --classname tempora | head -n1)
    sleep 1; shot "$splash" frmSplash
    origin "$splash"; click $((X + 68)) $((Y + 176))          # INFO
    tip=$(window "Tempora - Informazioni"); shot "$tip" frmTip
    xdotool windowfocus --sync "$tip" key Return; sleep 0.5
    origin "$splash"; click $((X + 220)) $((Y + 176))         # Apri
    strip=$(window "Tempora by Q0ZZZ"); sleep 1.5; shot "$strip" Form1
    origin "$strip"; click $((X + 616)) $((Y + HEIGHT - 24))  # Log
    log=$(window Log1); sleep 1; shot "$log" frmLog1
    xdotool windowfocus --sync "$log" key alt+c; sleep 0.5
    origin "$strip"; click $((X + 333)) $((Y + 8))              # Copy Log
    backup=$(window "Copy Log"); sleep 1; shot "$backup" Form2
    kill %1
' screenshots "$out" "$PWD/$build/app/tempora"
ls -l "$out"
