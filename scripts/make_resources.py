#!/usr/bin/env python3
"""Turns the editable resource sources into what the builds embed.

Pictures are kept as text pixel grids in resources/pictures (see palette.txt there) and
become BMP files whose clear pixels hold the key colour CLEAR, and the program icon here.

The built-in tables are stored in the program as UTF-16LE text with a byte-order mark and
CR LF after every line, exactly like a text file the program would read; the native build
gets the same bytes as C++ arrays, the Windows build as RCDATA resources.

usage: make_resources.py SOURCE_DIR OUT_DIR
"""
import pathlib
import struct
import sys

# resource id -> source file (quoted lines)
TEXT_TABLES = {159: "ui_text.en.txt", 187: "filters.txt"}


def read_quoted_lines(path):
    lines = []
    for raw in path.read_text(encoding="utf-8").splitlines():
        if not raw or raw.startswith("#"):
            continue
        if len(raw) < 2 or raw[0] != '"' or raw[-1] != '"':
            sys.exit(f"{path}: every entry must stand between double quotes: {raw!r}")
        lines.append(raw[1:-1])
    return lines


def utf16_table(lines):
    return b"\xff\xfe" + "".join(line + "\r\n" for line in lines).encode("utf-16-le")


# Tree and tab images 0..18 are bitmaps 131..149, in image-list order.
PICTURES = [
    "search_folder", "closed_folder", "open_folder", "box", "document", "picture",
    "box_plus", "box_warning", "box_minus", "house", "gear", "landscape",
    "grey_landscape", "puzzle", "document_plus", "document_minus",
    "overlay_plus", "overlay_warning", "overlay_minus",
]
FIRST_PICTURE_ID = 131
# The program masks this colour out when it adds the pictures to its image list
# (kClearColour in src/app/main_window.h); no picture may use it.
CLEAR = (255, 0, 255)
ICON_ID = 101
SIZE = 16
TRANSPARENT = None


def read_palette(folder):
    palette = {".": TRANSPARENT}
    for raw in (folder / "palette.txt").read_text(encoding="utf-8").splitlines():
        if not raw or raw.startswith("#"):
            continue
        char, colour = raw.split()
        palette[char] = tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4))
        if palette[char] == CLEAR:
            sys.exit(f"pictures: {char} is the key colour of clear pixels")
    return palette


def load_picture(folder, name, palette, seen=()):
    """A SIZE x SIZE grid of (r, g, b) or TRANSPARENT, from the picture's directives:
    "base NAME" paints another picture first, grid rows paint over it, "mark NAME X Y"
    paints a smaller grid at X, Y, and "grey" turns everything grey."""
    if name in seen:
        sys.exit(f"pictures: {name} refers to itself")
    path = folder / f"{name}.txt"
    pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]
    grid = []

    def paint(rows, x0, y0):
        for y, row in enumerate(rows):
            for x, colour in enumerate(row):
                if colour is not TRANSPARENT:
                    if not (0 <= x0 + x < SIZE and 0 <= y0 + y < SIZE):
                        sys.exit(f"pictures: {name}: a mark reaches outside the picture")
                    pixels[y0 + y][x0 + x] = colour

    for raw in path.read_text(encoding="utf-8").splitlines():
        if not raw or raw.startswith("#"):
            continue
        words = raw.split()
        if words[0] == "base":
            paint(load_picture(folder, words[1], palette, seen + (name,)), 0, 0)
        elif words[0] == "mark":
            paint(read_grid(folder / f"{words[1]}.txt", palette), int(words[2]), int(words[3]))
        elif words[0] == "grey":
            for row in pixels:
                for x, colour in enumerate(row):
                    if colour is not TRANSPARENT:
                        v = round(0.30 * colour[0] + 0.59 * colour[1] + 0.11 * colour[2])
                        row[x] = (v, v, v)
        else:
            grid.append(raw)
    if grid:
        if len(grid) != SIZE or any(len(row) != SIZE for row in grid):
            sys.exit(f"pictures: {path} must be {SIZE} rows of {SIZE} characters")
        paint(parse_rows(grid, palette, path), 0, 0)
    return pixels


def read_grid(path, palette):
    rows = [r for r in path.read_text(encoding="utf-8").splitlines()
            if r and not r.startswith("#")]
    return parse_rows(rows, palette, path)


def parse_rows(rows, palette, path):
    try:
        return [[palette[c] for c in row] for row in rows]
    except KeyError as e:
        sys.exit(f"pictures: {path}: colour {e} is not in palette.txt")


def bmp32(pixels, transparent_rgb):
    """A bottom-up 32-bit BMP with alpha; transparent pixels get the given colour and alpha
    0, so that readers that drop the alpha can still tell them."""
    height = len(pixels)
    width = len(pixels[0])
    body = bytearray()
    for row in reversed(pixels):
        for colour in row:
            if colour is TRANSPARENT:
                r, g, b = transparent_rgb
                body += bytes((b, g, r, 0))
            else:
                body += bytes((colour[2], colour[1], colour[0], 255))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(body), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return header + info + bytes(body)


def mask_rows(pixels):
    """1-bit rows, bottom-up, each padded to 32 bits: 1 where the picture is transparent."""
    width = len(pixels[0])
    stride = (width + 31) // 32 * 4
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, colour in enumerate(row):
            if colour is TRANSPARENT:
                line[x // 8] |= 0x80 >> (x % 8)
        body += line
    return bytes(body)


def scaled(pixels, factor):
    return [[c for c in row for _ in range(factor)] for row in pixels for _ in range(factor)]


def icon_file(pixels):
    """An .ico holding the picture at 16 x 16 and doubled to 32 x 32, 32-bit with alpha."""
    images = []
    for factor in (1, 2):
        p = scaled(pixels, factor)
        size = len(p)
        colour = bmp32(p, (0, 0, 0))[14 + 40:]
        info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
        images.append((size, info + colour + mask_rows(p)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)


def make_pictures(src, out):
    """Writes the bitmaps, masks and icon; returns their resource lines."""
    folder = src / "pictures"
    if not (folder / "palette.txt").exists():
        return []
    palette = read_palette(folder)
    lines = []
    pictures = {name: load_picture(folder, name, palette) for name in PICTURES + ["icon"]}
    for i, name in enumerate(PICTURES):
        path = out / f"picture_{FIRST_PICTURE_ID + i}.bmp"
        write_if_changed(path, bmp32(pictures[name], CLEAR))
        lines.append(f'{FIRST_PICTURE_ID + i} BITMAP "{path.as_posix()}"')
    path = out / "program.ico"
    write_if_changed(path, icon_file(pictures["icon"]))
    lines.append(f'{ICON_ID} ICON "{path.as_posix()}"')
    return lines


def write_if_changed(path, data):
    if not path.exists() or path.read_bytes() != data:
        path.write_bytes(data)


def main():
    src = pathlib.Path(sys.argv[1])
    out = pathlib.Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    blobs = {}
    for rid, name in TEXT_TABLES.items():
        blobs[rid] = utf16_table(read_quoted_lines(src / name))
    if len(read_quoted_lines(src / "ui_text.en.txt")) != 161:
        sys.exit("ui_text.en.txt must hold exactly 161 entries")

    rc = ["// Generated by scripts/make_resources.py; edit the sources in resources/."]
    for rid, data in blobs.items():
        bin_path = out / f"resource_{rid}.bin"
        write_if_changed(bin_path, data)
        # The type is the name "RT_RCDATA", a string, which is what the program looks up.
        rc.append(f'{rid} RT_RCDATA "{bin_path.as_posix()}"')
    rc += make_pictures(src, out)
    manifest = src / "app.manifest"
    if manifest.exists():
        rc.append(f'1 24 "{manifest.as_posix()}"')  # 24: RT_MANIFEST
    extra = src / "app.rc"
    if extra.exists():
        rc.append(f'#include "{extra.as_posix()}"')
    write_if_changed(out / "zek.rc", ("\n".join(rc) + "\n").encode())

    cpp = [
        "// Generated by scripts/make_resources.py; edit the sources in resources/.",
        "#include <cstdint>",
        "#include <span>",
        "namespace platform::detail {",
    ]
    for rid, data in blobs.items():
        body = ",".join(str(b) for b in data)
        cpp.append(f"static const std::uint8_t kResource{rid}[] = {{{body}}};")
    cpp.append("std::span<const std::uint8_t> EmbeddedResource(int id) {")
    cpp.append("  switch (id) {")
    for rid in blobs:
        cpp.append(f"    case {rid}: return kResource{rid};")
    cpp.append("    default: return {};")
    cpp.append("  }")
    cpp.append("}")
    cpp.append("}  // namespace platform::detail")
    write_if_changed(out / "builtin_resources.cpp", ("\n".join(cpp) + "\n").encode())


if __name__ == "__main__":
    main()
