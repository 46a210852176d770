#!/usr/bin/env python3
"""Draws the program's icon "Main" (a small floating window holding tray icons and a clock)
and writes res/main.ico with 16x16 and 32x32 images, each in 16 and in 256 colours."""
import struct, sys

VGA = [(0,0,0),(128,0,0),(0,128,0),(128,128,0),(0,0,128),(128,0,128),(0,128,128),(192,192,192),
       (128,128,128),(255,0,0),(0,255,0),(255,255,0),(0,0,255),(255,0,255),(0,255,255),(255,255,255)]

def picture(size):
    """Returns rows of palette indices (None = transparent), top row first, in VGA colours."""
    s = size / 32.0
    px = [[None] * size for _ in range(size)]
    def box(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = c
    box(1, 4, 31, 28, 0)        # outline
    box(2, 5, 30, 27, 7)        # window body
    box(2, 5, 30, 11, 4)        # title bar
    box(24, 6, 29, 10, 15)      # close box
    box(4, 15, 9, 22, 9)        # three tray icons
    box(11, 15, 16, 22, 10)
    box(18, 15, 23, 22, 11)
    box(24, 14, 29, 24, 15)     # clock face
    box(26, 16, 27, 20, 0)      # its hands
    box(26, 19, 29, 20, 0)
    return px

def image(size, bpp):
    px = picture(size)
    colours = 16 if bpp == 4 else 256
    palette = list(VGA)
    if bpp == 8:   # a greyscale ramp fills the rest of the 256-colour palette
        palette += [(i, i, i) for i in range(256 - 16)]
    head = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, 0, 0, 0, colours, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    row_bytes = ((size * bpp + 31) // 32) * 4
    xor = b''
    for y in reversed(range(size)):
        row = [c if c is not None else 0 for c in px[y]]
        if bpp == 4:
            data = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        else:
            data = bytes(row)
        xor += data + b'\0' * (row_bytes - len(data))
    mask_bytes = ((size + 31) // 32) * 4
    mask = b''
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (1 if px[y][x] is None else 0)
        data = bits.to_bytes(size // 8, 'big')
        mask += data + b'\0' * (mask_bytes - len(data))
    return head + pal + xor + mask

def main(path):
    images = [(16, 4), (16, 8), (32, 4), (32, 8)]
    blobs = [image(size, bpp) for size, bpp in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bpp), blob in zip(images, blobs):
        out += struct.pack('<BBBBHHII', size, size, 16 if bpp == 4 else 0, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))

if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'res/main.ico')
