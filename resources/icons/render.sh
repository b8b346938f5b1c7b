#!/bin/sh
# Renders the program's pictures from their SVG sources into the PNGs that
# resources/velmora.qrc compiles into the program and that are installed as
# the desktop icon. The PNGs are committed, so building needs no renderer;
# run this only after changing a source. Needs rsvg-convert (Debian package
# librsvg2-bin) and convert (Debian package imagemagick).
set -eu
res=$(cd "$(dirname "$0")/.." && pwd)

render() {  # source width height target
    rsvg-convert --width="$2" --height="$3" --format=png --output="$4" "$1"
}

# Small icons for buttons and menus.
for id in 25 26 27 28 29 33 34 43 48; do
    render "$res/icons/src/$id.svg" 16 16 "$res/icons/$id.png"
done
# Large icons for the settings pages and the About box.
for id in 36 40 44 45 49; do
    render "$res/icons/src/$id.svg" 32 32 "$res/icons/$id.png"
done
# The application icon: resource 37 and the installed sizes.
render "$res/icons/velmora.svg" 32 32 "$res/icons/37.png"
for n in 16 22 24 32 48 64 128 256; do
    mkdir -p "$res/icons/hicolor/${n}x$n"
    render "$res/icons/velmora.svg" "$n" "$n" "$res/icons/hicolor/${n}x$n/velmora.png"
done
# The window skins, as 256-colour pictures: their pale shades lose nothing
# visible and they decode three times faster at start-up.
for skin in "31 485 351" "19 416 301"; do
    set -- $skin
    render "$res/bitmaps/src/$1.svg" "$2" "$3" "$res/bitmaps/$1.png"
    convert "$res/bitmaps/$1.png" -dither None -colors 256 "PNG8:$res/bitmaps/$1.png"
done
render "$res/cursors/src/144.svg" 32 32 "$res/cursors/144.png"
