#!/usr/bin/env bash
# Draws the menu icon's PNG sizes again from its SVG, after the SVG changes. The PNGs are
# committed, so building the program needs no SVG renderer.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
pasta=$raiz/data/instalacao/icones
if ! command -v rsvg-convert >/dev/null; then
  [ "$(id -u)" -eq 0 ] || { echo "Falta rsvg-convert (librsvg2-bin); rode como root." >&2; exit 1; }
  apt-get update -qq && apt-get install -y -qq --no-install-recommends librsvg2-bin >/dev/null
fi
for lado in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$lado" -h "$lado" "$pasta/zelvana.svg" -o "$pasta/zelvana-$lado.png"
done
ls -l "$pasta"
