#!/usr/bin/env bash
# What both programs answer on the command line, and that a path holding no
# disc is refused before any window shows.
# Usage: command-line.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
player="$build/app/quelvo-player"
drive="$build/tools/quelvo-drive/quelvo-drive"
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
# The toolkit complains on its first line where this is missing.
export XDG_RUNTIME_DIR="$XDG_CONFIG_HOME/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
failures=0

# expect CODE FIRST_LINE COMMAND...: the exit code and the first line of
# everything the command printed.
expect() {
    local code=$1 first=$2
    shift 2
    local output actual
    output=$(timeout 30 "$@" 2>&1)
    actual=$?
    if [ "$actual" != "$code" ] || [ "$(head -n1 <<<"$output")" != "$first" ]; then
        echo "FAILED: $* gave $actual and:"
        echo "$output"
        failures=$((failures + 1))
    fi
}

expect 0 "usage: quelvo-player [DISC]" env -u DISPLAY "$player" --help
expect 0 "quelvo-player (Quelvo Player) v1.30" env -u DISPLAY "$player" --version
expect 2 'quelvo-player: unknown option "--fullscreen"' "$player" --fullscreen
expect 1 "quelvo-player: \"$XDG_CONFIG_HOME/none.cue\" does not exist" \
    "$player" "$XDG_CONFIG_HOME/none.cue"
touch "$XDG_CONFIG_HOME/notes.txt"
expect 1 "quelvo-player: \"notes.txt\" is neither a folder, an optical drive nor a disc image (.cue, .bin, .toc, .nrg, .ccd, .img, .mds, .mdf or .iso)" \
    sh -c "cd '$XDG_CONFIG_HOME' && exec '$player' notes.txt"
expect 0 "usage: quelvo-drive list" "$drive" --help
expect 2 "quelvo-drive: no command given" "$drive"
expect 2 "quelvo-drive: map takes a drive letter and a target (a folder or a disc image)" \
    "$drive" map D:
# Nothing of the refused runs was stored.
[ -z "$(find "$XDG_CONFIG_HOME" -name '*.reg')" ] || { echo "FAILED: a refused run stored settings"; failures=$((failures + 1)); }
exit $((failures > 0))
