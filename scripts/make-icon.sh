#!/usr/bin/env bash
# make-icon.sh - draws the desktop icon with Tessary itself.
# Usage: scripts/make-icon.sh [path/to/tessary]     (default: build/tessary)
#
# The icon is a picture in slot 1 of data/icon/ (pixels1.txt, lines1.txt).
# The editor renders it as data/icons/hicolor/scalable/apps/tessary.svg, and
# rsvg-convert (librsvg2-bin) makes the PNG sizes from that SVG, the 256 x 200
# picture centred on a square transparent page. The results are committed, so
# the build itself needs neither step.
set -euo pipefail
cd "$(dirname "$0")/.."

tessary=${1:-build/tessary}
background=7   # palette numbers, as the colour prompts take them
colour=8
icons=data/icons/hicolor
svg=$icons/scalable/apps/tessary.svg

"$tessary" --render 1 --dir data/icon --svg "$svg" --background $background --color $colour

for size in 16 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  # Scale the 256-wide picture to the page width and centre it vertically.
  zoom=$(awk -v s="$size" 'BEGIN { print s / 256 }')
  top=$(awk -v s="$size" 'BEGIN { print (s - 200 * s / 256) / 2 }')
  rsvg-convert --zoom "$zoom" --page-width "$size" --page-height "$size" --top "$top" \
    --output "$icons/${size}x${size}/apps/tessary.png" "$svg"
done
