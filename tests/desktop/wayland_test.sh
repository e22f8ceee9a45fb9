#!/bin/sh
# The media-controls test again, with the player on Qt's Wayland platform
# inside a headless compositor of its own.
# Usage (under dbus-run-session): wayland_test.sh PLAYER DRIVE_TOOL MAKE_DEMO_DISC WORK_FOLDER
set -eu
command -v weston >/dev/null || exit 77
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
weston --backend=headless-backend.so --socket=wayland-quelvo --idle-time=0 \
    >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
compositor=$!
trap 'kill $compositor; rm -rf "$XDG_RUNTIME_DIR"' EXIT
tries=0
until [ -S "$XDG_RUNTIME_DIR/wayland-quelvo" ]; do
    tries=$((tries + 1))
    [ $tries -lt 50 ] || { cat "$XDG_RUNTIME_DIR/weston.log"; exit 1; }
    sleep 0.2
done
WAYLAND_DISPLAY=wayland-quelvo QUELVO_TEST_PLATFORM=wayland \
    /usr/bin/python3 "$(dirname "$0")/media_controls_test.py" "$@"
