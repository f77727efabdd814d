#!/usr/bin/env bash
# check-package.sh - checks the Debian packages that `make package` built:
# the SDL 1.2 dependency accepts either library, lintian finds nothing even at
# its informational and pedantic levels, the program unpacked into a temporary
# root is hardened (hardening-check) and runs, and its manual page names the
# documentation folder under /usr.
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

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"

# lintian reads words out of the whole program, its machine code too, where a
# few bytes can happen to spell a misspelt word (such as "wTH"); such a tag is
# left out when the word is in none of the program's strings. Every other tag
# fails, down to the hardening and unneeded-section ones of -I.
code_bytes_spelling() {
  local word
  word=$(sed -nE 's/.*spelling-error-in-binary ([^ ]+) .*\[usr\/bin\/tessary\].*/\1/p' <<<"$1")
  [ -n "$word" ] && ! readelf -p .rodata "$root/usr/bin/tessary" | grep -qwF -- "$word"
}
status=0
tags=$(lintian -I --pedantic --fail-on error,warning,info,pedantic "$package" "$dev_package" 2>&1) || status=$?
# lintian warns that it runs as root (as CI does); its checks are the same.
found=0
while IFS= read -r line; do
  [ -n "$line" ] || continue
  grep -q 'root privileges' <<<"$line" && continue
  echo "$line"
  if code_bytes_spelling "$line"; then echo "  (bytes of machine code, not a string: left out)"; else found=1; fi
done <<<"$tags"
[ $status -eq 0 ] || [ $found -eq 0 ] || { echo "lintian found tags" >&2; exit 1; }
# Debian 12 builds neither its C library's start files nor its own programs
# with control-flow protection, so no program linked there has it: that one
# feature is not asked for.
hardening-check --nocfprotection "$root/usr/bin/tessary"
zgrep -q '^\.IR /usr/share/doc/tessary/ \.$' "$root/usr/share/man/man1/tessary.1.gz" \
  || { echo "the packaged manual page does not name /usr/share/doc/tessary/" >&2; exit 1; }
# The unpacked program runs from there: its version, and a headless render of
# a slot of one point (a slot with no files is no picture), which needs no display.
output=$(timeout 5 "$root/usr/bin/tessary" --version)
[ "$output" = "Tessary ${version%.0}" ] || { echo "unexpected version: $output" >&2; exit 1; }
printf '1 1 \n' > "$root/pixels1.txt"
timeout 5 "$root/usr/bin/tessary" --render 1 --dir "$root" --png "$root/point.png" 2>/dev/null
[ "$(file -b "$root/point.png" | cut -d, -f1-2)" = "PNG image data, 256 x 200" ] \
  || { echo "the unpacked tessary rendered no 256 x 200 PNG" >&2; exit 1; }
echo "package check: $(basename "$package") and $(basename "$dev_package") fine; unpacked tessary: $output"
