#!/usr/bin/env bash
# check-package.sh - checks the Debian packages that `make package` built:
# the SDL 1.2 dependency accepts either library, lintian finds no error (its
# other tags are listed), and the program unpacked into a temporary root runs.
# Usage: scripts/check-package.sh BUILD_DIR       (used by `make test`)
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
package=$build/tessary_${version}_${arch}.deb
dev_package=$build/tessary-dev_${version}_${arch}.deb

depends=$(dpkg-deb -f "$package" Depends)
echo "Depends: $depends"
grep -Eq 'libsdl1\.2debian( \([^)]*\))? \| libsdl1\.2-compat' <<<"$depends" \
  || { echo "the package does not accept both SDL 1.2 libraries" >&2; exit 1; }

# lintian warns that it runs as root (as CI does); its checks are the same.
status=0
tags=$(lintian --fail-on error --display-info "$package" "$dev_package" 2>&1) || status=$?
grep -v 'root privileges' <<<"$tags" || true
[ $status -eq 0 ] || { echo "lintian found errors" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"
# The unpacked program runs from there: its version, and a headless render of
# a slot of one point (a slot with no files is no picture), which needs no display.
output=$(timeout 5 "$root/usr/bin/tessary" --version)
[ "$output" = "Tessary ${version%.0}" ] || { echo "unexpected version: $output" >&2; exit 1; }
printf '1 1 \n' > "$root/pixels1.txt"
timeout 5 "$root/usr/bin/tessary" --render 1 --dir "$root" --png "$root/point.png" 2>/dev/null
[ "$(file -b "$root/point.png" | cut -d, -f1-2)" = "PNG image data, 256 x 200" ] \
  || { echo "the unpacked tessary rendered no 256 x 200 PNG" >&2; exit 1; }
echo "package check: $(basename "$package") and $(basename "$dev_package") fine; unpacked tessary: $output"
