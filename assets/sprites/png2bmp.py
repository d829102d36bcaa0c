#!/usr/bin/env python3
"""Converts an 8-bit RGBA or RGB PNG (as rsvg-convert writes it) to a 24-bit uncompressed BMP.

Partly transparent pixels are laid over the background colour given with --background, so the
result never depends on the viewer. With --key R,G,B every pixel must come out either the key
colour exactly or a colour clearly apart from it; a near miss fails the conversion.
"""
import argparse
import struct
import sys
import zlib


def read_png(path):
    data = open(path, 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        sys.exit(f'{path}: not a PNG file')
    pos, idat, header = 8, b'', None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        elif kind == b'IEND':
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        sys.exit(f'{path}: only 8-bit non-interlaced RGB or RGBA is supported')
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        previous = line
    return width, height, channels, rows


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('png')
    parser.add_argument('bmp')
    parser.add_argument('--background', default='0,0,0')
    parser.add_argument('--key')
    args = parser.parse_args()
    width, height, channels, rows = read_png(args.png)
    background = [int(v) for v in args.background.split(',')]
    key = [int(v) for v in args.key.split(',')] if args.key else None
    pixels = []
    for y, line in enumerate(rows):
        out = []
        for x in range(width):
            r, g, b = line[x * channels:x * channels + 3]
            a = line[x * channels + 3] if channels == 4 else 255
            rgb = [(c * a + bg * (255 - a) + 127) // 255 for c, bg in zip((r, g, b), background)]
            if key and rgb != key and sum(abs(c - k) for c, k in zip(rgb, key)) < 24:
                sys.exit(f'{args.png}: pixel {x},{y} {rgb} is too close to the colour key')
            out.append(rgb)
        pixels.append(out)
    row_size = (width * 3 + 3) & ~3
    image = bytearray()
    for out in reversed(pixels):  # BMP rows run bottom-up
        line = bytearray()
        for r, g, b in out:
            line += bytes((b, g, r))
        image += line + bytes(row_size - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(image), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    open(args.bmp, 'wb').write(header + info + image)


if __name__ == '__main__':
    main()
