#!/usr/bin/env bash
# Looks at the Debian package installed into an empty root: what it holds and
# what it depends on; and starts the installed player the way the desktop
# does, from its desktop entry, on the demo disc. The screenshot of that start
# is left next to the package for a person to look at.
# Usage: deb-installs-and-plays.sh BUILD_DIR DEMO_DISC_FOLDER
set -euo pipefail
build=$1
demo=$2
source "$(dirname "$0")/installed-package.sh"
source "$(dirname "$0")/player-session.sh"
deb=$(package)

# The programs' libraries are the package's dependencies.
depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6widgets6 libqt6svg6 libmpv2 libcdio19 libiso9660 fonts-liberation2; do
    grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends"; exit 1; }
done

for file in usr/bin/quelvo-player usr/bin/quelvo-drive \
    usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/48x48/apps/$id.png \
    usr/share/icons/hicolor/256x256/apps/$id.png \
    usr/share/quelvo-player/translations/quelvo-player_zh_CN.qm \
    usr/share/man/man1/quelvo-player.1.gz usr/share/man/man1/quelvo-drive.1.gz \
    usr/share/doc/quelvo-player/copyright usr/share/doc/quelvo-player/changelog.gz \
    usr/share/mime/packages/quelvo-player.xml; do
    [ -s "$root/$file" ] || { echo "not installed: $file"; exit 1; }
done
"$root/usr/bin/quelvo-player" --version | grep -qx "quelvo-player (Quelvo Player) v1.30"
"$root/usr/bin/quelvo-drive" --version | grep -qx "quelvo-drive (Quelvo Player) v1.30"

# Start it as the desktop would: the entry's Exec line with the file for %f,
# the installed programs first on the path.
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$id.desktop")
read -r -a command <<<"${exec_line//%f/$demo/demo.cue}"
export PATH="$root/usr/bin:$PATH"
export XDG_CONFIG_HOME="$out/config"
[ "$(command -v "${command[0]}")" = "$root/usr/bin/quelvo-player" ]
screenshot="$out/desktop-start.png"
play "${command[@]}"
echo "installed into $root; screenshot in $screenshot"
