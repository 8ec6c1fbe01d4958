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

# Starts Xvfb on a display number that it picks itself, free by construction, and points
# DISPLAY and Qt at it.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
    started_pids+=($!)
    wait_for 30 "Xvfb to start" grep -q . "$tmp/display"
    local number
    number=$(head -n 1 "$tmp/display")
    export DISPLAY=:$number
    export QT_QPA_PLATFORM=xcb
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
