#!/usr/bin/env bash
# Unpacks Debian's sdl12-compat (SDL 1.2's interface over SDL 2) into a folder
# without installing it, so that a run can choose it with LD_LIBRARY_PATH.
# Usage: scripts/sdl12-compat.sh DIR
# Prints the folder holding its libSDL-1.2.so.0 (DIR/lib); does nothing more
# when that is already there. Needs libsdl2-2.0-0 installed to be usable.
set -euo pipefail

dir=${1:?usage: $0 DIR}
lib="$dir/lib"
if [ ! -e "$lib/libSDL-1.2.so.0" ]; then
  mkdir -p "$dir/unpacked" "$lib"
  (cd "$dir" && apt-get download -q libsdl1.2-compat >/dev/null 2>&1)
  dpkg-deb -x "$dir"/libsdl1.2-compat_*.deb "$dir/unpacked"
  cp -P "$dir"/unpacked/usr/lib/*/sdl12-compat/libSDL-1.2.so* "$lib/"
fi
echo "$lib"
