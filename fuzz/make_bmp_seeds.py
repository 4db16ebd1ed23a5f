#!/usr/bin/env python3
"""Writes the seed corpus of the BMP loader's fuzz target: one small valid
file of every encoding the loader meets (run once; the files are committed)."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bmp_loader_fuzzer")
WIDTH, HEIGHT = 5, 3


def info_header(bits, compression=0, image_size=0, colours_used=0, height=HEIGHT):
    return struct.pack("<IiiHHIIiiII", 40, WIDTH, height, 1, bits, compression, image_size,
                       2835, 2835, colours_used, 0)


def palette(entries, size=4):
    table = b""
    for k in range(entries):
        bgr = bytes([(k * 37) % 256, (k * 91) % 256, (k * 53) % 256])
        table += bgr + (b"\0" if size == 4 else b"")
    return table


def rows(bits):
    stride = (bits * WIDTH + 31) // 32 * 4
    data = b""
    for y in range(HEIGHT):
        row = bytes((x * 29 + y * 71 + 5) % 256 for x in range(stride))
        data += row
    return data


def with_file_header(body, pixels_at):
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, 14 + pixels_at) + body


def info_file(bits, compression=0, table=b"", pixels=None, colours_used=0, masks=b""):
    pixels = rows(bits) if pixels is None else pixels
    size = len(pixels) if compression in (1, 2) else 0
    head = info_header(bits, compression, size, colours_used) + masks + table
    return with_file_header(head + pixels, len(head))


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(data)


os.makedirs(HERE, exist_ok=True)
write("pal1.bmp", info_file(1, table=palette(2)))
write("pal4.bmp", info_file(4, table=palette(16)))
write("pal8.bmp", info_file(8, table=palette(256)))
write("pal8-17.bmp", info_file(8, table=palette(17), colours_used=17))
write("rgb24.bmp", info_file(24))
write("rgb16-555.bmp", info_file(16))
write("rgb16-565.bmp", info_file(16, compression=3, masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F)))
write("rgb32.bmp", info_file(32))
write("rgb32-bitfields.bmp",
      info_file(32, compression=3, masks=struct.pack("<III", 0xFF0000, 0x00FF00, 0x0000FF)))
rle8 = bytes([3, 1, 0, 3, 4, 5, 6, 0, 0, 0, 5, 2, 0, 2, 1, 1, 2, 9, 0, 1])
write("rle8.bmp", info_file(8, compression=1, table=palette(16), colours_used=16, pixels=rle8))
rle4 = bytes([5, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0, 2, 0xAB, 0, 1])
write("rle4.bmp", info_file(4, compression=2, table=palette(16), pixels=rle4))
# A bare DIB: no file header, the pixels straight behind the table.
write("bare8.dib", info_header(8, colours_used=17) + palette(17) + rows(8))
# The 12-byte core header with its 3-byte table entries.
core = struct.pack("<IHHHH", 12, WIDTH, HEIGHT, 1, 8) + palette(256, size=3)
write("core8.bmp", with_file_header(core + rows(8), len(core)))
