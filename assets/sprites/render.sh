#!/usr/bin/env bash
# Regenerates every scene picture (24-bit uncompressed BMP) from its SVG source with
# rsvg-convert (Debian package librsvg2-bin) and png2bmp.py. Run from anywhere.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# name width height [colour key]
while read -r name width height key; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    rsvg-convert --width "$width" --height "$height" --format png \
        --output "$tmp/$name.png" "$here/src/$name.svg"
    if [[ -n "${key:-}" ]]; then
        python3 "$here/png2bmp.py" "$tmp/$name.png" "$here/$name.bmp" --background "$key" --key "$key"
    else
        python3 "$here/png2bmp.py" "$tmp/$name.png" "$here/$name.bmp"
    fi
    echo "$name.bmp"
done <<'LIST'
Room01 100 50
Room02 200 50
Room03 300 50
Room04 100 50
Room05 200 50
Floor 500 50
Stuff 200 50
Stuff01 25 50
Stuff02 25 16
Stuff03 25 16
Stuff04 25 16
Station01 50 50
Station02 50 50
Station03 50 50
Micky 300 50 102,0,0
LIST
