#!/usr/bin/env bash
# The real nerax left to choose its own display with both an X display and a Wayland one named:
# its window comes up on X. An option changed there is in nerax.cfg at once, and is still there
# after the X server has gone under the running program, which ends it without closing anything.
# Usage: display_lost_e2e.sh NERAX CALICE_STANDIN FORM1_UI
set -euo pipefail
nerax=$1 calice=$2 ui=$3

source "$(dirname "$0")/common.sh"
isolate_home
start_xvfb

app=$tmp/app
make_app_folder "$app" "$nerax" "$calice"
mkdir -p "$app/drv"
printf '1\r\n""\r\n""\r\n""\r\n""\r\n""\r\n"3"\r\n""\r\n"italiano"\r\n' >"$app/nerax.cfg"
printf '1\r\n""\r\n""\r\n""\r\n" -sound"\r\n""\r\n"3"\r\n""\r\n"italiano"\r\n' >"$tmp/expected.cfg"

# No choice of the user's; the compositor named here does not exist, so a Wayland-first start
# would not show the window anywhere this test looks.
(cd "$app" && exec env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-nerax-test ./nerax) \
    2>"$tmp/nerax.log" &
nerax_pid=$! guard_pid=$!
started_pids+=("$nerax_pid")
find_nerax_window
if [ "$WIDTH" -ne 592 ] || [ "$HEIGHT" -ne 329 ]; then
    fail "window is ${WIDTH}x$HEIGHT, not 592x329"
fi

focus_nerax
xdotool key alt+v
holds_change() { cmp -s "$tmp/expected.cfg" "$app/nerax.cfg"; }
wait_for 20 "nerax.cfg to hold the sound option" holds_change

kill "$xvfb_pid"
wait_exit "$nerax_pid" 30
# Qt ends the program with a status of its own; above 127 would be a crash on the way out.
((status < 128)) || fail "nerax crashed as the display went: status $status"
grep -qi "X11 connection" "$tmp/nerax.log" ||
    fail "nerax ended otherwise than by the lost display: $(tail -n 5 "$tmp/nerax.log")"
holds_change || fail "after the display went nerax.cfg holds:"$'\n'"$(dump "$app/nerax.cfg")"
files=$(cd "$app" && ls -A | tr '\n' ' ')
[ "$files" = "calice.exe drv nerax nerax.cfg " ] || fail "the folder holds $files"
echo "PASS"
