#!/usr/bin/env python3
"""Writes the program's shipped data: AppData/cfg (reference signatures and template pieces)
and the note pictures. Deterministic; run it again after changing a layout below.

    python3 data/make_cfg.py            # writes into data/

Layouts (all values 32-bit little-endian):

Ball (AppData/cfg, copied into AppData/Ball)
  A standard ball head holds the texture size 174920 at offset 24, so its signature window
  (offsets 23..27) is the flag byte 0x01 followed by that size. The HD build rewrites 174920 to
  1048720, which makes the window of a rebuilt file the HD signature.
  DATA1.dll  01 | 174920           standard signature (5 bytes)
  DATA2.dll  01 | 1048720          HD signature (5 bytes)
  WE00.dll   "WE00" | 1048720 | 0 | 16   chunk head written in front of each HD texture

Boot (AppData/cfg/Boot)
  A boot head starts: 1 (version) | 3 (textures) | texture size | F0 FF FF FF (head end).
  The signature runs to the first byte of the head end: 13 bytes.
  WE00.4.dll standard signature: 1 | 3 | 87536 | F0
  WE00.3.dll HD signature:       1 | 3 | 524416 | F0   (the first 13 bytes of WE00.1.dll)
  WE00.1.dll HD head: 1 | 3 | 524416 | F0 FF FF FF | 524416 | 524416 | 524416 | 0   (32 bytes)
  WE00.2.dll "WE00" | 524416 | 0 | 16   chunk head between two HD textures

Glove (AppData/cfg/Glove)
  A glove head: 2 (version) | 3 (textures) | 0 0 0 | 0x07 at offset 11 | texture size at 12.
  Signature window offsets 11..15 = the flag byte and the texture size.
  DATA1.dll  07 | 43840            standard signature
  DATA2.dll  07 | 1048704          HD signature (bytes 11..15 of WE01.dll)
  WE01.dll   HD head: 2 | 3 | 00 00 00 07 | 1048704 | 1048704 | 1048704 | 0 | 0   (32 bytes)
  WE02.dll, WE03.dll  "WE00" | 1048704 | 0 | 16   chunk heads between the HD textures

Boot 3D (AppData/cfg/Boot3d)
  A 3D boot head: 3 (version) | 6 (textures) | 0 0 0 | 0x05 at offset 11 | texture size at 12.
  DATA1.dll  05 | 174928           standard signature
  DATA2.dll  05 | 524416           HD signature (bytes 11..15 of WE00.1.dll)
  WE00.1.dll HD head: 3 | 6 | 00 00 00 05 | 524416 | 0 | 0 | 0   (28 bytes)
  WE00.2.dll .. WE00.6.dll  "WE00" | size of the HD texture that follows | 0 | 16
             (bump 524416, highlight 524416, other1 131200, other2 32896, other3 32896)

No piece holds "DDS " or "KTMD", so the tabs' marker searches never stop inside one.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def le32(*values):
    return b"".join(struct.pack("<I", v) for v in values)


def chunk(size):
    return b"WE00" + le32(size, 0, 16)


# HD texture sizes: 128-byte DDS header + DXT5 data without mip maps.
HD_1024x1024 = 128 + 1024 * 1024
HD_1024x512 = 128 + 1024 * 512
HD_512x256 = 128 + 512 * 256
HD_256x128 = 128 + 256 * 128
HD_BALL_FIELD = 1048720  # the ball's HD size field value

BOOT_HD_HEAD = le32(1, 3, HD_1024x512) + b"\xF0\xFF\xFF\xFF" + le32(HD_1024x512, HD_1024x512,
                                                                   HD_1024x512, 0)
GLOVE_HD_HEAD = le32(2, 3) + b"\x00\x00\x00\x07" + le32(HD_1024x1024, HD_1024x1024,
                                                       HD_1024x1024, 0, 0)
BOOT3D_HD_HEAD = le32(3, 6) + b"\x00\x00\x00\x05" + le32(HD_1024x512, 0, 0, 0)

CFG = {
    "DATA1.dll": b"\x01" + le32(174920),
    "DATA2.dll": b"\x01" + le32(HD_BALL_FIELD),
    "WE00.dll": chunk(HD_BALL_FIELD),
    "Boot/WE00.1.dll": BOOT_HD_HEAD,
    "Boot/WE00.2.dll": chunk(HD_1024x512),
    "Boot/WE00.3.dll": BOOT_HD_HEAD[:13],
    "Boot/WE00.4.dll": le32(1, 3, 87536) + b"\xF0",
    "Glove/DATA1.dll": b"\x07" + le32(43840),
    "Glove/DATA2.dll": GLOVE_HD_HEAD[11:16],
    "Glove/WE01.dll": GLOVE_HD_HEAD,
    "Glove/WE02.dll": chunk(HD_1024x1024),
    "Glove/WE03.dll": chunk(HD_1024x1024),
    "Boot3d/DATA1.dll": b"\x05" + le32(174928),
    "Boot3d/DATA2.dll": BOOT3D_HD_HEAD[11:16],
    "Boot3d/WE00.1.dll": BOOT3D_HD_HEAD,
    "Boot3d/WE00.2.dll": chunk(HD_1024x512),
    "Boot3d/WE00.3.dll": chunk(HD_1024x512),
    "Boot3d/WE00.4.dll": chunk(HD_512x256),
    "Boot3d/WE00.5.dll": chunk(HD_256x128),
    "Boot3d/WE00.6.dll": chunk(HD_256x128),
}


def check(name, data):
    for marker in (b"DDS ", b"KTMD"):
        if marker in data:
            sys.exit(f"{name}: holds the marker {marker!r}")


def bmp(width, height, pixel):
    """A 24-bit bottom-up BMP; pixel(x, y) gives (r, g, b) with y counted from the top."""
    row_size = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\x00" * (row_size - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


BACK = (0xFF, 0xFF, 0xFF)
EDGE = (0x2F, 0x5D, 0x8A)


def texture_sheet(rects, width, height, cell):
    """Rectangles standing for textures: a blue-to-teal gradient cut into DXT-like blocks."""

    def pixel(x, y):
        for (left, top, w, h) in rects:
            if left <= x < left + w and top <= y < top + h:
                lx, ly = x - left, y - top
                if lx in (0, w - 1) or ly in (0, h - 1):
                    return EDGE
                if lx % cell == 0 or ly % cell == 0:
                    return (0xD8, 0xE4, 0xF0)
                t = (lx / max(w - 1, 1) + ly / max(h - 1, 1)) / 2
                return (int(0x4A + 0x30 * t), int(0x86 + 0x50 * t), int(0xC8 - 0x28 * t))
        return BACK

    return bmp(width, height, pixel)


PICTURES = {
    # 1024 * 1024: one square texture
    "note-1024x1024.bmp": texture_sheet([(40, 10, 140, 140)], 220, 160, 14),
    # 1024 * 512: one texture twice as wide as high
    "note-1024x512.bmp": texture_sheet([(10, 45, 200, 100)], 220, 160, 20),
    # 4096 * 2048 with mip maps: the texture and its first mip levels
    "note-4096x2048.bmp": texture_sheet([(6, 50, 128, 64), (140, 50, 64, 32), (140, 88, 32, 16),
                                         (178, 88, 16, 8)], 220, 160, 8),
    # Boot 3D: three 1024 * 512, one 512 * 256, two 256 * 128
    "note-boot3d.bmp": texture_sheet([(6, 8, 100, 50), (114, 8, 100, 50), (6, 64, 100, 50),
                                      (114, 64, 50, 25), (114, 95, 25, 13), (145, 95, 25, 13)],
                                     220, 124, 10),
}


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else HERE
    for name, data in CFG.items():
        check(name, data)
        write(os.path.join(root, "AppData", "cfg", name), data)
    for name, data in PICTURES.items():
        write(os.path.join(root, "pictures", name), data)


if __name__ == "__main__":
    main()
