#!/usr/bin/env python3
"""Writes TestIcon.ico: the test program's own icon, a 32 x 32 image in red
and a 16 x 16 image in blue (32-bit, opaque), so that a test can tell which
size the system picked."""
import struct
import sys


def image(size, bgra):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytes(bgra) * (size * size)
    mask = bytes(((size + 31) // 32) * 4 * size)  # all opaque
    return header + pixels + mask


def main(path):
    images = [(32, image(32, (0, 0, 255, 255))), (16, image(16, (255, 0, 0, 255)))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "TestIcon.ico")
