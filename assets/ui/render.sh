#!/usr/bin/env bash
# Renders the pictures of the windows and controls from their SVG sources in
# src/ into this folder. Needs rsvg-convert (librsvg2-bin) and ImageMagick.
# Running it again gives the same files byte for byte.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$here/src
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

render() { # source width height output
    rsvg-convert --width "$2" --height "$3" --output "$4" "$src/$1"
}

# The message picture has no transparency: every pixel is either the
# picture's own colour or pure blue, which the window's shaping cuts away, so
# the soft edges are made hard first (no bluish fringe around the outline).
render message.svg 410 400 "$work/message.png"
convert "$work/message.png" -channel A -threshold 50% +channel \
    -background "#0000FF" -alpha remove -alpha off -strip \
    -define png:color-type=2 "$here/message.png"

for picture in switch-off switch-on check-on check-off check-disabled-on check-disabled-off \
    multidrag; do
    size=$(sed -n 's/.*<svg[^>]* width="\([0-9]*\)" height="\([0-9]*\)".*/\1 \2/p' \
        "$src/$picture.svg")
    [ -n "$size" ] || size=$(tr '\n' ' ' <"$src/$picture.svg" |
        sed -n 's/.*<svg[^>]* width="\([0-9]*\)" height="\([0-9]*\)".*/\1 \2/p')
    render "$picture.svg" ${size% *} ${size#* } "$work/$picture.png"
    convert "$work/$picture.png" -strip "$here/$picture.png"
done

for size in 16 24 32 48 64 128 256; do
    render icon.svg "$size" "$size" "$work/icon-$size.png"
    convert "$work/icon-$size.png" -strip "$here/icon-$size.png"
done
