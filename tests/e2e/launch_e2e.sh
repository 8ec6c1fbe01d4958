#!/usr/bin/env bash
# The real nerax in a real X server, driven with real input: a driver chosen by a mouse click and
# by the arrow keys, options ticked with their Alt keys, Enter, a hand-written command line; the
# stand-in calice.exe logs exactly what it received, and nerax.cfg holds the options on closing.
# Usage: launch_e2e.sh NERAX CALICE_STANDIN FORM1_UI
set -euo pipefail
nerax=$1 calice=$2 ui=$3

source "$(dirname "$0")/common.sh"

# The screen's colour at a point of the window, as RRGGBB.
pixel() {
    import -silent -window root -crop "1x1+$((win_x + $1))+$((win_y + $2))" -depth 8 \
        -format '%[hex:p{0,0}]' info:- 2>/dev/null
}
is_red() {
    local hex
    hex=$(pixel "$1" "$2") || return 1
    ((16#${hex:0:2} > 200 && 16#${hex:2:2} < 80 && 16#${hex:4:2} < 80))
}
is_not_red() { ! is_red "$@"; }

log_lines() { [ -f "$app/calice-log.jsonl" ] && wc -l <"$app/calice-log.jsonl" || echo 0; }
has_log_lines() { [ "$(log_lines)" -ge "$1" ]; }

isolate_home
start_xvfb

app=$tmp/app
make_app_folder "$app" "$nerax" "$calice"
mkdir -p "$app/drv" "$app/images" "$tmp/cwd"
# Names a shell would run as commands; none of them may.
for name in '$(touch PWNED)' '`x`' 'a;b' 'alpha' 'a|b' 'zeta'; do
    printf 'general\r\n    title "%s"\r\n' "$name" >"$app/drv/$name.drv"
done
convert -size 240x200 xc:'#ff0000' "$app/images/alpha.jpg"
# Resolution 1 and frameskip 3, Italian.
printf '1\r\n""\r\n""\r\n""\r\n""\r\n""\r\n"3"\r\n""\r\n"italiano"\r\n' >"$app/nerax.cfg"

# Started from a folder of its own, where a shell would have created PWNED.
(cd "$tmp/cwd" && exec "$app/nerax") 2>"$tmp/nerax.log" &
nerax_pid=$! guard_pid=$!
started_pids+=("$nerax_pid")
find_nerax_window
if [ "$WIDTH" -ne 592 ] || [ "$HEIGHT" -ne 329 ]; then
    fail "window is ${WIDTH}x$HEIGHT, not 592x329"
fi

read -r list_x list_y list_w _ <<<"$(ui_rect filRoms)"
read -r image_x image_y image_w _ <<<"$(ui_rect Image1)"
# Above the "no preview" notice, which lies in the middle of the box.
probe_x=$((image_x + image_w / 2)) probe_y=$((image_y + 16))

# The list, sorted without regard to case: $(touch PWNED).drv `x`.drv a;b.drv alpha.drv
# a|b.drv zeta.drv. A click on the first row, then Alt+V (sound) and Alt+U (swap), then Enter.
click_at $((list_x + list_w / 2)) $((list_y + 6))
focus_nerax
xdotool key alt+v alt+u Return
wait_for 20 "the first start of calice.exe" has_log_lines 1
standin_title='Calice stand-in: driver $(touch, switches PWNED) -320x320 -frameskip 3 -swap -sound'
find_standin() { xdotool search --onlyvisible --name "^Calice stand-in" >/dev/null 2>&1; }
wait_for 20 "the stand-in's window" find_standin
titles=$(for id in $(xdotool search --onlyvisible --name "^Calice stand-in"); do xdotool getwindowname "$id"; done)
grep -qxF "$standin_title" <<<"$titles" || fail "stand-in window says: $titles"

# Back to the list (the focus went to the check boxes): the arrow keys choose the next drivers.
click_at $((list_x + list_w / 2)) $((list_y + 6))
focus_nerax
xdotool key Down Return
wait_for 20 "the second start" has_log_lines 2
xdotool key Down Return
wait_for 20 "the third start" has_log_lines 3
xdotool key Down
wait_for 20 "alpha's preview" is_red "$probe_x" "$probe_y"
xdotool key Down
wait_for 20 "the preview to go for a driver without one" is_not_red "$probe_x" "$probe_y"
xdotool key Return
wait_for 20 "the fourth start" has_log_lines 4

# A command line of the user's own, with quotes grouping two words.
type_own_command_line 20 ' alpha -custom "two words" -x'
wait_for 20 "the fifth start" has_log_lines 5

# No window manager here to offer a close box; SIGTERM closes the window the same way, and
# that path writes nerax.cfg.
kill -TERM "$nerax_pid"
wait_exit "$nerax_pid" 20
[ "$status" -eq 0 ] || fail "nerax ended with status $status: $(cat "$tmp/nerax.log")"

expected_log=$(
    cat <<'EOF'
["$(touch","PWNED)","-320x320","-frameskip","3","-swap","-sound"]
["`x`","-320x320","-frameskip","3","-swap","-sound"]
["a;b","-320x320","-frameskip","3","-swap","-sound"]
["a|b","-320x320","-frameskip","3","-swap","-sound"]
["alpha","-custom","two words","-x"]
EOF
)
actual_log=$(cat "$app/calice-log.jsonl")
[ "$actual_log" = "$expected_log" ] ||
    fail "calice.exe was started with:"$'\n'"$actual_log"$'\n'"expected:"$'\n'"$expected_log"

printf '1\r\n""\r\n""\r\n""\r\n" -sound"\r\n" -swap"\r\n"3"\r\n""\r\n"italiano"\r\n' >"$tmp/expected.cfg"
cmp "$tmp/expected.cfg" "$app/nerax.cfg" ||
    fail "nerax.cfg holds:"$'\n'"$(dump "$app/nerax.cfg")"

pwned=$(find "$tmp" -name PWNED)
[ -z "$pwned" ] || fail "a driver name ran as a shell command: $pwned"
echo "PASS"
