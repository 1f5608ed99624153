#!/usr/bin/env bash
# Renders the splash picture from its drawing (needs rsvg-convert, Debian
# package librsvg2-bin). The PNG is committed, so building never needs this.
set -euo pipefail
dir=$(cd "$(dirname "$0")/../src/app/ui/resources" && pwd)
rsvg-convert -w 200 -h 150 "$dir/splash.svg" -o "$dir/splash.png"
