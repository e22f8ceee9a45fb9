#!/usr/bin/env bash
# quelvo-player DISC plays the disc's track 1 and leaves every stored file
# byte for byte as it was.
# Usage: disc-argument-keeps-settings.sh BUILD_DIR DEMO_DISC_FOLDER
set -euo pipefail
build=$1
demo=$2
source "$(dirname "$0")/player-session.sh"
player="$build/app/quelvo-player"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"

# An ordinary first run stores the settings and the window placement.
start_and_close "$player"
cp -a "$XDG_CONFIG_HOME/quelvo" "$work/before"

play "$player" "$demo/demo.cue"

diff -r "$work/before" "$XDG_CONFIG_HOME/quelvo"
echo "the settings and mappings are unchanged"
