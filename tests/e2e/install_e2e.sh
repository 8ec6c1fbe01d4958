#!/usr/bin/env bash
# What `make install` puts in place: the desktop's validators accept the menu entry and the
# metadata, the manual page reads without a warning, and the installed copy, standing beside no
# emulator, asks for the emulator's folder once and then opens it by itself.
# Usage: install_e2e.sh CMAKE BUILD_DIR CALICE APP_ID
set -euo pipefail
cmake=$1 build=$2 calice=$3 id=$4

source "$(dirname "$0")/common.sh"
isolate_home

# An unusual prefix under DESTDIR: the installed copy must know itself whatever the prefix.
prefix=/opt/nerax-test
DESTDIR=$tmp/dest "$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log"
root=$tmp/dest$prefix
while read -r file; do
    [[ $file == $prefix/* && -f $tmp/dest$file ]] || fail "installed outside DESTDIR: $file"
done <"$build/install_manifest.txt"
[ ! -e "$prefix" ] || fail "$prefix was made outside DESTDIR"

said=$(desktop-file-validate "$root/share/applications/$id.desktop" 2>&1) ||
    fail "desktop-file-validate: $said"
[ -z "$said" ] || fail "desktop-file-validate warns: $said"
said=$(appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" 2>&1) ||
    fail "appstreamcli: $said"
! grep -qE '^[EW]:' <<<"$said" || fail "appstreamcli warns: $said"
said=$(LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 "$root/share/man/man1/nerax.1" 2>&1) ||
    fail "groff: $said"
[ -z "$said" ] || fail "the manual page warns: $said"
for size in 48 96 192; do
    [ "$(identify -format '%wx%h' "$root/share/icons/hicolor/${size}x$size/apps/$id.png")" = \
        "${size}x$size" ] || fail "no ${size}x$size icon"
done

nerax=$root/bin/nerax
app=$tmp/emulator
mkdir -p "$app/drv"
cp "$calice" "$app/calice.exe"
remembered=$XDG_CONFIG_HOME/nerax/nerax.conf
start_xvfb

# First start from the menu: nothing remembered, so the folder dialog; cancelling it ends quietly.
"$nerax" >"$tmp/nerax.log" 2>&1 &
nerax_pid=$! guard_pid=$!
started_pids+=("$nerax_pid")
wait_for 60 "the folder dialog" find_window "Scegli la cartella del Calice"
xdotool windowfocus --sync "$window"
xdotool key Escape
wait_exit "$nerax_pid" 20
[ "$status" -eq 0 ] || fail "cancelling the dialog ended nerax with status $status"
[ ! -e "$remembered" ] || fail "a cancelled dialog remembered: $(cat "$remembered")"

# Opened on a folder by name, as the file manager's "Open with" does: that becomes the last one...
"$nerax" "$app" >"$tmp/nerax.log" 2>&1 &
nerax_pid=$! guard_pid=$!
started_pids+=("$nerax_pid")
find_nerax_window
kill -TERM "$nerax_pid"
wait_exit "$nerax_pid" 20
grep -qxF "lastFolder=$app" "$remembered" || fail "remembered: $(cat "$remembered" 2>&1)"
[ -f "$app/nerax.cfg" ] || fail "the settings file was not written into the emulator's folder"

# ... which the next start from the menu opens without asking.
"$nerax" >"$tmp/nerax.log" 2>&1 &
nerax_pid=$! guard_pid=$!
started_pids+=("$nerax_pid")
find_nerax_window
! find_window "Scegli la cartella del Calice" || fail "asked again for the folder"
kill -TERM "$nerax_pid"
wait_exit "$nerax_pid" 20
[ "$status" -eq 0 ] || fail "nerax ended with status $status: $(cat "$tmp/nerax.log")"
echo "PASS"
