#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Usage: scripts/install-deps.sh [run|package|test|bench]
#   run     - what building and starting the editor needs (dpkg-buildflags
#             gives the Release build its hardening flags)
#   package - adds what building the Debian packages needs (file)
#   test    - adds the test tools (GoogleTest, Xvfb, xdotool, xwd, clang for
#             fuzzing), SDL2 for sdl12-compat, the install and package checks
#             (desktop-file-validate, mandoc, appstreamcli, lintian,
#             hardening-check), rsvg-convert to check the SVG export, hp2xx
#             to check the HP-GL export, and strace to slow a save down
#   bench   - adds Google Benchmark, and for the X server figures Xvfb, xdotool,
#             xwd, SDL2 for sdl12-compat, and Xlib with its XTEST library for
#             the lag benchmark's input and screen reads
# Packages already present (dpkg -s) are left alone. As root the missing ones are
# installed with apt-get; otherwise the apt-get line to run is printed and the
# script fails, so that make stops before a build that cannot work.
set -euo pipefail

purpose=${1:-run}
packages=(cmake make g++ libsdl1.2-dev libx11-dev libpng-dev libgif-dev libpotrace-dev libtomlplusplus-dev dpkg-dev)
case "$purpose" in
  run) ;;
  package) packages+=(file) ;;
  test) packages+=(libgtest-dev xvfb xdotool x11-apps x11-xkb-utils python3 clang libclang-rt-dev
                   libsdl2-2.0-0 file desktop-file-utils mandoc appstream lintian devscripts
                   librsvg2-bin hp2xx strace) ;;
  bench) packages+=(libbenchmark-dev xvfb xdotool x11-apps python3 libsdl2-2.0-0 libx11-6 libxtst6) ;;
  *) echo "usage: $0 [run|package|test|bench]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
