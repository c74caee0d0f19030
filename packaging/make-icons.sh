#!/bin/sh
# Draws the program icon for the desktop's icon theme from resources/icons/Morva.svg at the
# usual sizes. Run it by hand after changing the icon and commit what it writes.
set -e
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  convert -background none -density $((size * 3)) ../resources/icons/Morva.svg \
    -resize "${size}x${size}" -strip "PNG32:icons/${size}.png"
done
