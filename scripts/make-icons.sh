#!/usr/bin/env bash
# Renders the program's icon (packaging/icons/org.veltrane.Veltrane.svg) into the PNG sizes desktops look for.
# The PNGs are kept in the repository, so building needs no SVG renderer; run this after changing the SVG.
# Needs rsvg-convert (package librsvg2-bin) and optipng when present.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert -w "$size" -h "$size" org.veltrane.Veltrane.svg -o "${size}x${size}/org.veltrane.Veltrane.png"
  if command -v optipng >/dev/null; then optipng -quiet -o7 "${size}x${size}/org.veltrane.Veltrane.png"; fi
done
