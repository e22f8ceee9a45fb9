#!/usr/bin/env bash
# Builds the Debian package and installs it into an empty root, for the
# package tests that follow to look at and start.
# Usage: install-package.sh BUILD_DIR
set -euo pipefail
build=$1
source "$(dirname "$0")/installed-package.sh"

rm -rf "$out"
mkdir -p "$out"
cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log"

# An empty root with nothing but dpkg's own records.
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --force-script-chrootless \
    --log=/dev/null -i "$(package)" >"$out/dpkg.log" 2>&1
dpkg --root="$root" -s quelvo-player | grep -q "^Status: install ok installed"
echo "$(package) installed into $root"
