#!/usr/bin/env bash
# check-install.sh - installs a build into a temporary root and checks it: the
# exact file list, the desktop entry (desktop-file-validate), the AppStream
# metainfo (appstreamcli), the manual page (mandoc -Tlint, and the documentation
# folder it names) and the icon sizes.
# Usage: scripts/check-install.sh BUILD_DIR       (used by `make test`)
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR}
prefix=/usr/local
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix "$prefix" >/dev/null

expected=$(sed "s|^|.$prefix/|" <<'EOF_LIST'
bin/tessary
include/tessary/gfx.h
lib/libgfx.a
share/applications/tessary.desktop
share/doc/tessary/LICENSE
share/doc/tessary-dev/changelog.gz
share/doc/tessary-dev/copyright
share/doc/tessary/README.md
share/doc/tessary/changelog.gz
share/doc/tessary/copyright
share/doc/tessary/examples/machines.toml
share/doc/tessary/gfx.md
share/icons/hicolor/128x128/apps/tessary.png
share/icons/hicolor/16x16/apps/tessary.png
share/icons/hicolor/256x256/apps/tessary.png
share/icons/hicolor/32x32/apps/tessary.png
share/icons/hicolor/48x48/apps/tessary.png
share/icons/hicolor/64x64/apps/tessary.png
share/icons/hicolor/scalable/apps/tessary.svg
share/man/man1/tessary.1.gz
share/metainfo/io.github.tessary.tessary.metainfo.xml
EOF_LIST
)
actual=$(cd "$root" && find . -type f -o -type l | LC_ALL=C sort)
if [ "$actual" != "$(LC_ALL=C sort <<<"$expected")" ]; then
  echo "installed files differ from the list (- expected, + installed):" >&2
  diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual") >&2 || true
  exit 1
fi
[ -x "$root$prefix/bin/tessary" ] || { echo "bin/tessary is not executable" >&2; exit 1; }

desktop-file-validate "$root$prefix/share/applications/tessary.desktop"
# The metainfo on its own, where pedantic hints fail too, then with the desktop
# entry it launches. The screenshot's address is not fetched: tests use no network.
appstreamcli validate --pedantic --no-net "$root$prefix/share/metainfo/io.github.tessary.tessary.metainfo.xml"
appstreamcli validate-tree --pedantic --no-net "$root$prefix"
# Style notes pass; warnings and errors fail.
manual=$root$prefix/share/man/man1/tessary.1.gz
mandoc -Tlint -Wwarning "$manual"
zgrep -q "^\.IR $prefix/share/doc/tessary/ \.\$" "$manual" \
  || { echo "the manual page does not name $prefix/share/doc/tessary/" >&2; exit 1; }
for size in 16 32 48 64 128 256; do
  file -b "$root$prefix/share/icons/hicolor/${size}x${size}/apps/tessary.png" | grep -q "PNG image data, $size x $size" \
    || { echo "icon ${size}x${size} is not a $size x $size PNG" >&2; exit 1; }
done
echo "install check: $(wc -l <<<"$actual") files, desktop entry, metainfo, manual page and icons fine"
