# Shared by the packaging tests: runs a player under the X server of the test
# and drives its window the way a desktop user would. Sourced, not run.
# Needs: build (the build folder).
xwindow="$build/tools/xwindow/quelvo-xwindow"

[ -n "${DISPLAY:-}" ] || { echo "no X server: skipped"; exit 77; }
# A real X server here: the offscreen platform the unit tests use would
# leave nothing to look at.
export QT_QPA_PLATFORM=xcb
# Sanitizer builds: the GL driver and audio libraries keep allocations that
# are not ours.
export ASAN_OPTIONS=detect_leaks=0

# play COMMAND...: starts the command, waits until its window shows the first
# frame of the disc's first track, saves a screenshot when $screenshot is set,
# and closes the window normally (so the settings are written).
play() {
    "$@" &
    local player=$!
    if ! "$xwindow" first-frame "Quelvo Player" 60000; then
        kill "$player" 2>/dev/null || true
        echo "no picture from: $*"
        return 1
    fi
    if [ -n "${screenshot:-}" ]; then
        sleep 2 # a few more frames, so the picture shows the running track
        import -window root "$screenshot"
    fi
    "$xwindow" close "Quelvo Player"
    wait "$player"
}

# start_and_close COMMAND...: a run that shows no picture (no disc).
start_and_close() {
    "$@" &
    local player=$!
    if ! "$xwindow" wait "Quelvo Player" 60000; then
        kill "$player" 2>/dev/null || true
        return 1
    fi
    sleep 1
    "$xwindow" close "Quelvo Player"
    wait "$player"
}
