#!/usr/bin/env bash
# The real nerax and the real DOSBox, run headless: `nerax FOLDER` serves an emulator folder
# elsewhere (a blank and a percent sign in its path) whose calice.exe is a DOS program of our own
# that writes its command tail to TAIL.TXT. First a headerless image without the exec bit,
# started from a click on a driver and Enter with the composed line; then an MZ executable named
# CALICE.EXE with a 126-character line typed by hand. Each tail must arrive byte for byte, though
# the user's own DOSBox configuration mounts another drive C: in its [autoexec], and DOSBox runs in
# the emulator's folder, not in the one nerax was started from.
# Usage: dosbox_e2e.sh NERAX TAIL_COM TAIL_MZ FORM1_UI
set -euo pipefail
nerax=$1 com=$2 mzexe=$3 ui=$4

source "$(dirname "$0")/common.sh"
dosbox=$(command -v dosbox) || fail "dosbox is not installed; run scripts/install-deps"

isolate_home
start_xvfb
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

# nerax alone in a folder of its own. DOSBox is reached through PATH, where a shim notes each
# process it becomes and the folder it runs in, so that the test can wait for it and end it.
mkdir -p "$tmp/bin" "$tmp/cwd"
cp "$nerax" "$tmp/bin/nerax"
cat >"$tmp/bin/dosbox" <<EOF
#!/bin/bash
echo \$\$ >>"$tmp/dosbox.pids"
pwd -P >>"$tmp/dosbox.cwd"
exec "$dosbox" "\$@"
EOF
chmod +x "$tmp/bin/dosbox"
export PATH=$tmp/bin:$PATH

# The user's own configuration, wherever this DOSBox reads it (it writes one there when there is
# none), gives drive C: to another folder and makes it current.
mkdir -p "$tmp/otherc"
user_conf=$("$dosbox" -printconf 2>/dev/null | tail -n 1)
[ -f "$user_conf" ] || fail "DOSBox names no configuration file of the user's: $user_conf"
printf '\nmount c "%s"\nc:\n' "$tmp/otherc" >>"$user_conf"

app="$tmp/my emu 100%"
mkdir -p "$app/drv"
cp "$com" "$app/calice.exe"
chmod 644 "$app/calice.exe"
printf 'general\r\n' >"$app/drv/pacman.drv"
# Resolution 3 and sound.
printf '3\r\n""\r\n""\r\n""\r\n" -sound"\r\n""\r\n""\r\n""\r\n"italiano"\r\n' >"$app/nerax.cfg"

dosbox_starts() { [ -f "$tmp/dosbox.pids" ] && wc -l <"$tmp/dosbox.pids" || echo 0; }
has_dosbox_starts() { [ "$(dosbox_starts)" -ge "$1" ]; }
# Detached, DOSBox is nobody's child here: once it has ended it may linger as a zombie.
gone() { local state; state=$(ps -o stat= -p "$1" 2>/dev/null) || return 0; [[ $state == Z* ]]; }
# expect_tail N TEXT: DOSBox start number N ran the program and ended, and TAIL.TXT holds TEXT.
expect_tail() {
    wait_for 30 "DOSBox start $1" has_dosbox_starts "$1"
    local pid
    pid=$(sed -n "$1p" "$tmp/dosbox.pids")
    started_pids+=("$pid")
    wait_for 60 "DOSBox start $1 to end" gone "$pid"
    [ "$(sed -n "$1p" "$tmp/dosbox.cwd")" = "$app" ] ||
        fail "DOSBox start $1 ran in $(sed -n "$1p" "$tmp/dosbox.cwd"), not in $app"
    [ -z "$(ls -A "$tmp/otherc")" ] || fail "the program ran on the user's drive C:"
    [ -f "$app/TAIL.TXT" ] || fail "DOSBox start $1 ran no program; the folder holds: $(ls "$app")"
    printf '%s' "$2" >"$tmp/expected"
    cmp -s "$tmp/expected" "$app/TAIL.TXT" ||
        fail "DOSBox start $1: the program received"$'\n'"$(dump "$app/TAIL.TXT")"$'\n'"expected"$'\n'"$(dump "$tmp/expected")"
}

(cd "$tmp/cwd" && exec "$tmp/bin/nerax" "$app") 2>"$tmp/nerax.log" &
nerax_pid=$! guard_pid=$!
started_pids+=("$nerax_pid")
find_nerax_window


# A click on the driver, Enter.
start_first_driver
expect_tail 1 ' pacman -400x300VESA2 -sound'

# The MZ build under an upper-case name, with the exec bit; a line of the user's own, as long as
# a DOS command tail may be.
rm "$app/calice.exe" "$app/TAIL.TXT"
cp "$mzexe" "$app/CALICE.EXE"
chmod 755 "$app/CALICE.EXE"
line=' pacman  -x "q u" 50% -'
while [ ${#line} -lt 126 ]; do line+=7; done
type_own_command_line 15 "$line"
expect_tail 2 "$line"

kill -TERM "$nerax_pid"
wait_exit "$nerax_pid" 20
[ "$status" -eq 0 ] || fail "nerax ended with status $status: $(cat "$tmp/nerax.log")"
[ "$(dosbox_starts)" -eq 2 ] || fail "DOSBox was started $(dosbox_starts) times, not twice"
echo "PASS"
