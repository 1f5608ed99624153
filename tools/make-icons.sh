#!/usr/bin/env bash
# Renders the program's icon sizes from its drawing (needs rsvg-convert,
# Debian package librsvg2-bin). The PNGs are committed, so building never
# needs this.
set -euo pipefail
dir=$(cd "$(dirname "$0")/../data/icons" && pwd)
for size in 48 256; do
    rsvg-convert -w "$size" -h "$size" "$dir/qvrecipe.svg" -o "$dir/qvrecipe-$size.png"
done
