#!/usr/bin/env python3
"""Writes the plug-in's window icon, vu_vo.ico: one 25 x 16 image in 24-bit colour.

The picture: the windows' light yellow ground in a dark blue frame, "VU-VO" in black 3 x 5 pixel letters, and
under it a row of grid cells in the grid's colours (green: not worked, magenta: worked).

    make_icon.py [--check] [output]      (default output: vu_vo.ico beside this script)

--check compares instead of writing and fails when the file differs from what this script makes.
"""
import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 25, 16
GROUND = (255, 250, 198)
FRAME = (0, 0, 128)
INK = (0, 0, 0)
NOT_WORKED = (0, 255, 0)
WORKED = (255, 0, 255)

# 3 x 5 letters, rows top to bottom, "#" for ink.
LETTERS = {
    "V": ["#.#", "#.#", "#.#", "#.#", ".#."],
    "U": ["#.#", "#.#", "#.#", "#.#", "###"],
    "O": ["###", "#.#", "#.#", "#.#", "###"],
    "-": ["...", "...", "###", "...", "..."],
}


def picture():
    """Rows of (r, g, b), top row first."""
    pixels = [[GROUND] * WIDTH for _ in range(HEIGHT)]
    for x in range(WIDTH):
        pixels[0][x] = pixels[HEIGHT - 1][x] = FRAME
    for y in range(HEIGHT):
        pixels[y][0] = pixels[y][WIDTH - 1] = FRAME
    left = 3
    for letter in "VU-VO":
        for dy, row in enumerate(LETTERS[letter]):
            for dx, mark in enumerate(row):
                if mark == "#":
                    pixels[3 + dy][left + dx] = INK
        left += 4
    for cell in range(5):
        colour = WORKED if cell % 2 else NOT_WORKED
        for dy in range(3):
            for dx in range(3):
                pixels[10 + dy][3 + 4 * cell + dx] = colour
    return pixels


def ico_bytes():
    pixels = picture()
    xor_stride = (WIDTH * 3 + 3) // 4 * 4
    and_stride = (WIDTH + 31) // 32 * 4
    xor = bytearray()
    for row in reversed(pixels):  # bottom-up, blue-green-red
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        xor += line + bytes(xor_stride - len(line))
    mask = bytes(and_stride * HEIGHT)  # every pixel opaque
    image_size = len(xor) + len(mask)
    # The height of an icon image counts the colour and the mask bitmaps together.
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, 2 * HEIGHT, 1, 24, 0, image_size, 0, 0, 0, 0)
    image = header + bytes(xor) + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", WIDTH, HEIGHT, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


def main(argv):
    check = "--check" in argv
    rest = [a for a in argv if a != "--check"]
    path = Path(rest[0]) if rest else Path(__file__).with_name("vu_vo.ico")
    data = ico_bytes()
    if check:
        if not path.is_file() or path.read_bytes() != data:
            print(f"{path}: differs from what make_icon.py makes; run it again", file=sys.stderr)
            return 1
        print(f"{path}: up to date ({len(data)} bytes)")
        return 0
    path.write_bytes(data)
    print(f"{path}: {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
