#!/usr/bin/env bash
# The real nerax in a real X server: the user brings the window to the front and presses Enter
# before choosing any driver. Nothing may start; the "Errore" box asks for a driver. Closing then
# writes the 35-byte file of a run where nothing was chosen.
# Usage: no_driver_e2e.sh NERAX CALICE_STANDIN
set -euo pipefail
nerax=$1 calice=$2

source "$(dirname "$0")/common.sh"
isolate_home
start_xvfb

app=$tmp/app
make_app_folder "$app" "$nerax" "$calice"
mkdir "$app/drv"
printf 'general\r\n' >"$app/drv/alpha.drv"
printf 'general\r\n' >"$app/drv/beta.drv"

(cd "$app" && exec ./nerax) 2>"$tmp/nerax.log" &
pid=$!
started_pids+=("$pid")
guard_pid=$pid
wait_for 60 "the Nerax window" find_window Nerax
win=$window

# The driver list holds the focus when the window comes to the front; that is not a choice.
xdotool windowfocus --sync "$win"
xdotool key Return
box_or_start() { find_window Errore || [ -s "$app/calice-log.jsonl" ]; }
wait_for 20 'the "Errore" box' box_or_start
[ ! -e "$app/calice-log.jsonl" ] ||
    fail "calice.exe started with no driver chosen: $(cat "$app/calice-log.jsonl")"
box=$window
xdotool windowfocus --sync "$box"
xdotool key Return
box_gone() { ! find_window Errore; }
wait_for 20 "the box to close" box_gone

kill -TERM "$pid"
wait_exit "$pid" 20
[ "$status" -eq 0 ] || fail "nerax ended with status $status: $(cat "$tmp/nerax.log")"
[ ! -e "$app/calice-log.jsonl" ] || fail "calice.exe was started: $(cat "$app/calice-log.jsonl")"
printf '0\r\n""\r\n""\r\n""\r\n""\r\n""\r\n""\r\n""\r\n""\r\n' >"$tmp/expected.cfg"
cmp -s "$tmp/expected.cfg" "$app/nerax.cfg" ||
    fail "nerax.cfg holds:"$'\n'"$(dump "$app/nerax.cfg")"
echo "PASS"
