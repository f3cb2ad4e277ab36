#!/usr/bin/env bash
# Remakes layouts/art/glyphs.txt from the 12-pixel WenQuanYi Bitmap Song (Debian: xfonts-wqy,
# converted with pcf2bdf). Run from the source root after changing a text of the pictures.
#   tools/picgen/extract-glyphs.sh [PICGEN]     (PICGEN: a host build of picgen, else one is built)
set -euo pipefail

pcf=/usr/share/fonts/X11/misc/wenquanyi_9pt.pcf
[ -f "$pcf" ] || { echo "extract-glyphs: $pcf missing; apt-get install xfonts-wqy" >&2; exit 1; }
command -v pcf2bdf >/dev/null || { echo "extract-glyphs: apt-get install pcf2bdf" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

picgen=${1:-}
if [ -z "$picgen" ]; then
  picgen=$work/picgen
  g++ -std=c++17 -O1 -I. -o "$picgen" tools/picgen/*.cpp layouts/picture_drawing.cpp
fi
pcf2bdf -o "$work/font.bdf" "$pcf"
"$picgen" --extract-glyphs "$work/font.bdf" layouts/art/glyphs.txt
