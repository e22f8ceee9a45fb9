#!/usr/bin/env bash
# Debian's own checker finds no error and no warning in the package, its
# pedantic checks included. Only a Release tree builds the package that
# ships: a sanitizer or debugging build is hardened differently on purpose.
# Usage: lintian-clean.sh BUILD_DIR
set -euo pipefail
build=$1
source "$(dirname "$0")/installed-package.sh"
grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$build/CMakeCache.txt" ||
    { echo "not a Release tree, so not the package that ships: skipped"; exit 77; }
command -v lintian >/dev/null || { echo "lintian not installed: skipped"; exit 77; }

# Every finding is printed, informational and pedantic ones too, for a person
# to read; errors and warnings fail the test.
lintian --pedantic --display-experimental --no-tag-display-limit \
    --fail-on error,warning "$(package)"
