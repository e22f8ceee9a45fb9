#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo pass their validators, where
# the validators are installed.
# Usage: validate-desktop-files.sh BUILD_DIR
set -euo pipefail
generated="$1/packaging"
command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null ||
    { echo "validators not installed: skipped"; exit 77; }
desktop-file-validate "$generated"/*.desktop
appstreamcli validate --no-net "$generated"/*.metainfo.xml
