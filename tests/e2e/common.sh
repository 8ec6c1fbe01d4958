# Helpers shared by the end-to-end scripts, which source this file after `set -euo pipefail`.
# Everything a script makes lives under $tmp, removed on exit with the processes it started.

tmp=$(mktemp -d)
started_pids=()
guard_pid=
cleanup() {
    local pid
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
# A test killed from outside still takes its X server and programs with it.
trap 'exit 1' TERM INT HUP PIPE

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_for SECONDS WHAT COMMAND...: polls until COMMAND succeeds. While $guard_pid is set, that
# process ending first is a failure of its own, told at once.
wait_for() {
    local limit=$1 what=$2
    shift 2
    local end=$((SECONDS + limit))
    until "$@"; do
        if [ -n "$guard_pid" ] && ! kill -0 "$guard_pid" 2>/dev/null; then
            tail -n 20 "$tmp"/*.log >&2 2>/dev/null || true
            fail "nerax ended while waiting for $what"
        fi
        ((SECONDS < end)) || fail "timed out waiting for $what"
        sleep 0.05
    done
}

# wait_exit PID SECONDS: waits for a started process to end; its exit status goes to $status.
wait_exit() {
    local pid=$1 limit=$2
    guard_pid=
    process_gone() { ! kill -0 "$pid" 2>/dev/null; }
    wait_for "$limit" "process $pid to end" process_gone
    status=0
    wait "$pid" || status=$?
}

# A home, caches and runtime folder of the test's own, so nothing lands in the user's.
isolate_home() {
    export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run XDG_CACHE_HOME=$tmp/home/.cache
    export XDG_CONFIG_HOME=$tmp/home/.config
    mkdir -p "$HOME"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset WAYLAND_DISPLAY
}

# Starts Xvfb and points DISPLAY and Qt at it, returning only once a client can connect; its
# process id goes to $xvfb_pid. Each
# attempt takes a display number of its own from a wide range, so tests started together rarely
# meet; when the server ends (its number taken, its lock held) or never answers, the next attempt
# takes another number. A connection counts only while the lock of that number holds our server's
# process id, so another server on the same number is never mistaken for ours. -noreset: the
# server would otherwise reset as that probe leaves, and refuse the test's first client meanwhile.
start_xvfb() {
    local attempt pid number owner end
    for attempt in 1 2 3 4 5 6 7 8; do
        number=$((1000 + ($$ * 97 + RANDOM * 32768 + RANDOM) % 50000))
        echo "attempt $attempt: display :$number" >>"$tmp/xvfb.log"
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >>"$tmp/xvfb.log" 2>&1 &
        pid=$!
        end=$((SECONDS + 30))
        while kill -0 "$pid" 2>/dev/null && ((SECONDS < end)); do
            owner=
            read -r owner 2>/dev/null <"/tmp/.X$number-lock" || true
            if [ "$owner" = "$pid" ] && xdpyinfo -display ":$number" >/dev/null 2>&1; then
                started_pids+=("$pid")
                xvfb_pid=$pid
                export DISPLAY=:$number
                export QT_QPA_PLATFORM=xcb
                return 0
            fi
            sleep 0.05
        done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    cat "$tmp/xvfb.log" >&2
    fail "no X server would start"
}

# ui_rect OBJECT: "x y width height" of a widget of the main window, as laid out in $ui (form1.ui).
ui_rect() {
    local rect
    rect=$(awk -v name="name=\"$1\"" 'index($0, name) { found = 1 }
        found && /<rect>/ { gsub(/<[^>]*>/, " "); print $1, $2, $3, $4; exit }' "$ui")
    [ -n "$rect" ] || fail "no $1 in $ui"
    echo "$rect"
}

# find_nerax_window: waits for the main window; sets $win to its id, $win_x and $win_y to its
# client area's corner on the screen, and $WIDTH and $HEIGHT to its size.
find_nerax_window() {
    wait_for 60 "the Nerax window" find_window Nerax
    win=$window
    eval "$(xdotool getwindowgeometry --shell "$win")"
    win_x=$X win_y=$Y
}

# With the main window found:
focus_nerax() { xdotool windowfocus --sync "$win"; }
click_at() { # click_at X Y, relative to the window's client area
    xdotool mousemove $((win_x + $1)) $((win_y + $2)) click 1
}

# start_first_driver: clicks the first name of the driver list and presses Enter.
start_first_driver() {
    local list_x list_y list_w
    read -r list_x list_y list_w _ <<<"$(ui_rect filRoms)"
    click_at $((list_x + list_w / 2)) $((list_y + 6))
    focus_nerax
    xdotool key Return
}

# type_own_command_line DELAY TEXT: ticks the custom command line, replaces the line's text with
# TEXT typed a key each DELAY ms, and presses Enter, as a user would.
type_own_command_line() {
    local custom_x custom_y custom_h line_x line_y line_w line_h
    read -r custom_x custom_y _ custom_h <<<"$(ui_rect chkPersonalizza)"
    read -r line_x line_y line_w line_h <<<"$(ui_rect txtRigaComando)"
    click_at $((custom_x + 6)) $((custom_y + custom_h / 2))
    click_at $((line_x + line_w / 2)) $((line_y + line_h / 2))
    focus_nerax
    xdotool key ctrl+a BackSpace
    xdotool type --delay "$1" "$2"
    xdotool key Return
}

# make_app_folder DIR NERAX [CALICE]: the program, and the stand-in emulator when given.
make_app_folder() {
    mkdir -p "$1"
    cp "$2" "$1/nerax"
    [ $# -lt 3 ] || cp "$3" "$1/calice.exe"
}

# find_window TITLE: the id of a visible window with exactly that title, into $window.
find_window() {
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$window" ]
}

# The bytes of a file, shown when it differs from what was expected.
dump() { od -c "$1" 2>&1 | head -n 20; }
