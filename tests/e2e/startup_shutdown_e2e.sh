#!/usr/bin/env bash
# The real nerax at its two ends: SIGTERM, SIGINT and SIGHUP close it through the close path, so
# nerax.cfg is written and the exit status is 0; without calice.exe it shows only its error box
# and ends non-zero having written nothing; without any display it says so and ends at once.
# Usage: startup_shutdown_e2e.sh NERAX CALICE_STANDIN
set -euo pipefail
nerax=$1 calice=$2

source "$(dirname "$0")/common.sh"
isolate_home

# The options read back from these records are written back as the 60-byte file below; a file
# left alone would keep "x" and "on".
printf '3\r\n"x"\r\n""\r\n""\r\n"on"\r\n""\r\n"2"\r\n""\r\n"italiano"\r\n' >"$tmp/restored.cfg"
printf '3\r\n" -nocheck"\r\n""\r\n""\r\n" -sound"\r\n""\r\n"2"\r\n""\r\n"italiano"\r\n' >"$tmp/expected.cfg"
[ "$(wc -c <"$tmp/expected.cfg")" -eq 60 ] || fail "the expected file is not 60 bytes long"

# catches PID SIGNAL: the process has its own handler for SIGNAL, so it is past its load step.
# Until the exec the process is still the shell, whose handlers say nothing about nerax.
catches() {
    local mask bit name
    read -r name 2>/dev/null <"/proc/$1/comm" || return 1
    [ "$name" = nerax ] || return 1
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$mask" ] || return 1
    bit=$(($(kill -l "$2") - 1))
    (((16#$mask >> bit) & 1))
}

for signal in TERM INT HUP; do
    app=$tmp/sig$signal
    make_app_folder "$app" "$nerax" "$calice"
    cp "$tmp/restored.cfg" "$app/nerax.cfg"
    mkdir -p "$tmp/cwd$signal"
    (cd "$tmp/cwd$signal" && QT_QPA_PLATFORM=offscreen exec "$app/nerax") 2>"$tmp/nerax$signal.log" &
    pid=$!
    started_pids+=("$pid")
    guard_pid=$pid
    wait_for 60 "nerax to take SIG$signal" catches "$pid" "$signal"
    kill -s "$signal" "$pid"
    wait_exit "$pid" 30
    [ "$status" -eq 0 ] || fail "SIG$signal: exit status $status: $(cat "$tmp/nerax$signal.log")"
    cmp -s "$tmp/expected.cfg" "$app/nerax.cfg" ||
        fail "SIG$signal: nerax.cfg holds:"$'\n'"$(dump "$app/nerax.cfg")"
    # The file is replaced whole; no temporary file may be left beside it.
    files=$(cd "$app" && ls -A | tr '\n' ' ')
    [ "$files" = "calice.exe nerax nerax.cfg " ] || fail "SIG$signal: the folder holds $files"
done

# No display at all: one line on stderr, exit status 2, nothing written, no hang.
app=$tmp/nodisplay
make_app_folder "$app" "$nerax" "$calice"
status=0
(cd "$app" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 30 ./nerax) \
    2>"$tmp/nodisplay.log" || status=$?
[ "$status" -eq 2 ] || fail "without a display: exit status $status"
grep -q "no display" "$tmp/nodisplay.log" || fail "without a display it said: $(cat "$tmp/nodisplay.log")"
[ ! -e "$app/nerax.cfg" ] || fail "without a display nerax.cfg was written"

# No calice.exe: the "Errore!" box is all that shows; Enter dismisses it and the program ends.
start_xvfb
app=$tmp/nocalice
make_app_folder "$app" "$nerax"
mkdir "$app/drv"
touch "$app/drv/alpha.drv"
(cd "$app" && exec ./nerax) 2>"$tmp/nocalice.log" &
pid=$!
started_pids+=("$pid")
guard_pid=$pid
wait_for 60 'the "Errore!" box' find_window 'Errore!'
box=$window
if find_window Nerax; then
    fail "the main window was shown without calice.exe"
fi
xdotool windowfocus --sync "$box"
xdotool key Return
wait_exit "$pid" 30
# A status above 127 would be a crash on the way out, not the error end.
((status > 0 && status < 128)) || fail "without calice.exe the exit status is $status"
files=$(cd "$app" && ls -A | tr '\n' ' ')
[ "$files" = "drv nerax " ] || fail "without calice.exe the folder holds $files"
echo "PASS"
