#!/usr/bin/env bash
# `nerax FOLDER` from the command line, and the starts that need no DOSBox: a Windows-shaped
# calice.exe goes through the wine found on PATH (a stand-in that records its arguments); a DOS
# one with no DOSBox on PATH gets the "Errore" box and nothing starts; a native one runs. Each
# runs in the emulator's folder, not in the one nerax was started from.
# Usage: runners_e2e.sh NERAX TAIL_COM FORM1_UI CALICE_STANDIN
set -euo pipefail
nerax=$1 com=$2 ui=$3 standin=$4

source "$(dirname "$0")/common.sh"
isolate_home

mkdir -p "$tmp/bin" "$tmp/stubs"
cp "$nerax" "$tmp/bin/nerax"

# The command line is read before any display is looked for.
without_display() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 30 "$tmp/bin/nerax" "$@" \
        >"$tmp/out" 2>"$tmp/err"
}
status=0
without_display --version || status=$?
[ "$status" -eq 0 ] && [ "$(cat "$tmp/out")" = "Nerax 0.01" ] ||
    fail "--version: status $status, said: $(cat "$tmp/out" "$tmp/err")"
# Nor a display that cannot be reached.
status=0
DISPLAY=:4321 QT_QPA_PLATFORM=xcb timeout 30 "$tmp/bin/nerax" --version >"$tmp/out" 2>"$tmp/err" ||
    status=$?
[ "$status" -eq 0 ] && [ "$(cat "$tmp/out")" = "Nerax 0.01" ] ||
    fail "--version with an unreachable display: status $status, said: $(cat "$tmp/out" "$tmp/err")"
status=0
without_display --help || status=$?
[ "$status" -eq 0 ] && grep -q '^Usage: .*nerax \[options\] \[FOLDER\]$' "$tmp/out" ||
    fail "--help: status $status, said: $(cat "$tmp/out" "$tmp/err")"
touch "$tmp/file"
for folder in "$tmp/missing" "$tmp/file"; do
    status=0
    without_display "$folder" || status=$?
    [ "$status" -eq 2 ] || fail "nerax $folder: exit status $status"
    [ "$(wc -l <"$tmp/err")" -eq 1 ] && grep -qE "^nerax: $folder: (no such folder|not a folder)$" \
        "$tmp/err" || fail "nerax $folder said: $(cat "$tmp/err")"
    [ ! -s "$tmp/out" ] || fail "nerax $folder printed: $(cat "$tmp/out")"
done

start_xvfb
app=$tmp/app
mkdir -p "$app/drv"
# An MZ header long enough to hold the offset at 0x3C, which points at a PE signature.
{
    printf 'MZ'
    head -c 22 /dev/zero
    printf '\x40\x00'
    head -c 34 /dev/zero
    printf '\x40\x00\x00\x00PE\x00\x00\x4c\x01'
} >"$app/calice.exe"
printf 'general\r\n' >"$app/drv/pacman.drv"
# Resolution 3 and sound.
printf '3\r\n""\r\n""\r\n""\r\n" -sound"\r\n""\r\n""\r\n""\r\n"italiano"\r\n' >"$app/nerax.cfg"
cat >"$tmp/stubs/wine" <<EOF
#!/bin/bash
printf '%s\n' "\$(pwd -P)" "\$@" --- >>"$tmp/wine.log"
EOF
chmod +x "$tmp/stubs/wine"

# Nothing but the stand-in wine on PATH: no DOSBox to be found. Qt's own options still reach Qt.
(cd "$tmp" && PATH=$tmp/stubs exec "$tmp/bin/nerax" -style Fusion "$app") 2>"$tmp/nerax.log" &
nerax_pid=$! guard_pid=$!
started_pids+=("$nerax_pid")
find_nerax_window
start_first_driver
has_wine_log() { [ -s "$tmp/wine.log" ]; }
wait_for 20 "wine to be started" has_wine_log
printf '%s\n' "$app" "$app/calice.exe" pacman -400x300VESA2 -sound --- >"$tmp/expected"
cmp -s "$tmp/expected" "$tmp/wine.log" || fail "wine was started with: $(cat "$tmp/wine.log")"

# Now a DOS build: the box, and nothing started.
cp "$com" "$app/calice.exe"
focus_nerax
xdotool key Return
wait_for 20 'the "Errore" box' find_window Errore
box=$window
xdotool windowfocus --sync "$box"
xdotool key Return
box_gone() { ! find_window Errore; }
wait_for 20 "the box to close" box_gone
cmp -s "$tmp/expected" "$tmp/wine.log" || fail "wine was started again: $(cat "$tmp/wine.log")"
[ ! -e "$app/TAIL.TXT" ] || fail "the DOS program ran"

# And a native build.
install -m 755 "$standin" "$app/calice.exe"
focus_nerax
xdotool key Return
has_standin_log() { [ -s "$app/calice-cwd.log" ]; }
wait_for 20 "the stand-in to be started" has_standin_log
[ "$(cat "$app/calice-cwd.log")" = "$app" ] ||
    fail "calice.exe ran in $(cat "$app/calice-cwd.log"), not in $app"

kill -TERM "$nerax_pid"
wait_exit "$nerax_pid" 20
[ "$status" -eq 0 ] || fail "nerax ended with status $status: $(cat "$tmp/nerax.log")"
# Only an installed copy remembers the folder it opened.
[ ! -e "$XDG_CONFIG_HOME/nerax" ] || fail "a copy that is not installed remembered its folder"
echo "PASS"
