#!/bin/sh
# Builds and runs the artwork preview (not part of the program's build).
# Usage: tools/art_preview.sh [on|off|alt] [outdir]
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
out=${2:-/tmp/art_preview}
mkdir -p "$out"
g++ -std=c++17 -fPIC -O1 -o "$out/art_preview" "$here/tools/art_preview.cpp" \
    $(pkg-config --cflags --libs Qt6Svg Qt6Gui Qt6Core)
QT_QPA_PLATFORM=offscreen "$out/art_preview" "${1:-on}" "$out" "$here/resources/art"
echo "wrote $out/screen.png $out/sheet.png"
