#!/usr/bin/env bash
# fetch-sdl12-compat.sh - unpacks Debian's sdl12-compat (libsdl1.2-compat, the
# SDL 1.2 API over SDL2) into a directory, without installing it.
# Usage: scripts/fetch-sdl12-compat.sh DIR
#
# The library lands in DIR/usr/lib/<multiarch>/sdl12-compat/, for the second
# end-to-end run to load through LD_LIBRARY_PATH. SDL2 itself (libsdl2-2.0-0)
# comes from scripts/install-deps.sh. An existing unpacked copy is kept.
set -euo pipefail

dest=${1:?usage: $0 DIR}
if compgen -G "$dest/usr/lib/*/sdl12-compat/libSDL-1.2.so.0" >/dev/null; then
  exit 0
fi
download=$(mktemp -d)
trap 'rm -rf "$download"' EXIT
# apt-get warns when it downloads as root into a directory its sandbox user
# cannot write; the download works all the same.
# A machine whose package lists were never fetched (or were cleaned) knows no
# candidate to download: fetch the lists once then, as root.
(cd "$download" && { apt-get download -q libsdl1.2-compat \
  || { apt-get update -q && apt-get download -q libsdl1.2-compat; }; })
mkdir -p "$dest"
dpkg-deb -x "$download"/libsdl1.2-compat_*.deb "$dest"
compgen -G "$dest/usr/lib/*/sdl12-compat/libSDL-1.2.so.0"
