#!/usr/bin/env bash
# Opening a disc image from the desktop starts the installed player on it:
# xdg-open and gio open, on a file of every image format the player reads,
# find the package's desktop entry through the file's MIME type (the shared
# MIME database's types, the package's own where it has none) and run its
# Exec line with the file. Last, the demo disc opened that way plays.
# Usage: desktop-opens-disc-images.sh BUILD_DIR DEMO_DISC_FOLDER
set -euo pipefail
build=$1
demo=$2
source "$(dirname "$0")/installed-package.sh"
source "$(dirname "$0")/player-session.sh"
for tool in xdg-open gio mimetype update-mime-database update-desktop-database; do
    command -v $tool >/dev/null || { echo "$tool not installed: skipped"; exit 77; }
done

desktop="$out/desktop"
rm -rf "$desktop"
mkdir -p "$desktop"/{bin,images,config,config-dirs,data}

# What dpkg's triggers do when the package is installed: the MIME database
# and the desktop entries' cache of the root are brought up to date.
share="$root/usr/share"
update-mime-database "$share/mime" >"$desktop/triggers.log" 2>&1
update-desktop-database "$share/applications" >>"$desktop/triggers.log" 2>&1

# The package's files first; the machine's own shared MIME database below
# them; no desktop session, user or system choices of a default program.
export XDG_DATA_DIRS="$share:/usr/share"
export XDG_DATA_HOME="$desktop/data" XDG_CONFIG_HOME="$desktop/config"
export XDG_CONFIG_DIRS="$desktop/config-dirs"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION GNOME_DESKTOP_SESSION_ID KDE_FULL_SESSION
export PATH="$root/usr/bin:$PATH"

# One small file of each format, made as its tools write it, so that a
# desktop looking into the file agrees with its name.
images="$desktop/images"
sed "s|demo.bin|$demo/demo.bin|" "$demo/demo.cue" >"$images/disc.cue"
printf 'CD_ROM_XA\n\nTRACK MODE2_RAW\nDATAFILE "disc.bin"\n' >"$images/disc.toc"
printf '[CloneCD]\nVersion=3\n\n[Disc]\nTocEntries=4\nSessions=1\n' >"$images/disc.ccd"
{ printf 'MEDIA DESCRIPTOR'; head -c 72 /dev/zero; } >"$images/disc.mds"
{ head -c 4096 /dev/zero; printf 'NER5'; head -c 8 /dev/zero; } >"$images/disc.nrg"
mkdir -p "$desktop/iso-folder/MPEGAV"
genisoimage -quiet -V QUELVODEMO -o "$images/disc.iso" "$desktop/iso-folder"

# The Exec line is run through the path: a stand-in for the player, first on
# it, writes down the arguments it was started with.
started="$desktop/started"
cat >"$desktop/bin/quelvo-player" <<STANDIN
#!/bin/sh
printf '%s\n' "\$@" >"$started.partial" && mv "$started.partial" "$started"
STANDIN
chmod +x "$desktop/bin/quelvo-player"

failures=0
opens_with_player() { # FILE OPENER...
    local file=$1
    shift
    rm -f "$started"
    PATH="$desktop/bin:$PATH" "$@" "$file" >"$desktop/opener.log" 2>&1 || true
    for _ in $(seq 100); do
        [ -e "$started" ] && break
        sleep 0.1
    done
    if [ "$(cat "$started" 2>/dev/null)" != "$file" ]; then
        echo "$* $file did not start the player on it ($(mimetype --brief "$file")):"
        cat "$desktop/opener.log"
        failures=$((failures + 1))
    fi
}
for image in "$images"/disc.{cue,toc,nrg,ccd,mds,iso}; do
    opens_with_player "$image" xdg-open
    opens_with_player "$image" gio open
done
[ "$failures" -eq 0 ]

# The real player, started by the desktop on the demo disc, shows its picture.
export XDG_CONFIG_HOME="$desktop/player-config"
screenshot="$out/desktop-open.png"
play gio open "$images/disc.cue"
# gio is gone at once; the player it started holds its profile's lock until
# it has closed, and the next test may need the X server to itself.
timeout 60 flock -x "$XDG_CONFIG_HOME/quelvo/player.lock" true
echo "every image format opens with the player; screenshot in $screenshot"
