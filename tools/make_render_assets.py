#!/usr/bin/python3
"""Generates the renderer's own assets: the "quad" and "ring" meshes, the "NO_TEXTURE"
placeholder, the default button, the three screen wipes, the player sprite sheets and
assets/Animations/Animations.json that describes the sheets.

Run from anywhere: /usr/bin/python3 tools/make_render_assets.py (needs PIL)
"""

import json
import math
import os

from PIL import Image, ImageDraw

from palette import CLEAR, CORAL, DEEP, INK, MINT, NIGHT, OFF_WHITE, ORANGE, PLUM, SAND, TEAL, save_png

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MESHES = os.path.join(ROOT, "assets", "meshes")
OPAQUE = os.path.join(ROOT, "assets", "textures", "opaque")
BLENDED = os.path.join(ROOT, "assets", "textures", "blended")
ANIMATIONS = os.path.join(ROOT, "assets", "Animations")

# The placeholder must never be mistaken for real art, so it alone leaves the palette.
MAGENTA = (0xFF, 0x00, 0xFF, 255)


# ---------------------------------------------------------------- meshes

def write_obj(name, comment, positions, uvs, faces):
    os.makedirs(MESHES, exist_ok=True)
    lines = ["# " + comment]
    lines += ["v %.6f %.6f %.6f" % p for p in positions]
    lines += ["vt %.6f %.6f" % t for t in uvs]
    lines.append("vn 0.000000 0.000000 1.000000")
    for face in faces:
        lines.append("f " + " ".join("%d/%d/1" % (i + 1, i + 1) for i in face))
    with open(os.path.join(MESHES, name + ".obj"), "w") as out:
        out.write("\n".join(lines) + "\n")


def make_quad():
    positions = [(-0.5, -0.5, 0.0), (0.5, -0.5, 0.0), (0.5, 0.5, 0.0), (-0.5, 0.5, 0.0)]
    uvs = [(0.0, 0.0), (1.0, 0.0), (1.0, 1.0), (0.0, 1.0)]
    write_obj("quad", "Unit square centred on the origin, facing +z, UV 0..1.", positions, uvs,
              [(0, 1, 2), (0, 2, 3)])


def make_ring(segments=48, outer=0.5, inner=0.46):
    positions, uvs, faces = [], [], []
    for i in range(segments):
        angle = 2.0 * math.pi * i / segments
        for radius in (outer, inner):
            x, y = radius * math.cos(angle), radius * math.sin(angle)
            positions.append((x, y, 0.0))
            uvs.append((x + 0.5, y + 0.5))
    for i in range(segments):
        o0, i0 = 2 * i, 2 * i + 1
        o1, i1 = 2 * ((i + 1) % segments), 2 * ((i + 1) % segments) + 1
        faces += [(o0, o1, i1), (o0, i1, i0)]
    write_obj("ring", "Thin ring of unit diameter centred on the origin, for outlines.", positions, uvs, faces)


# ---------------------------------------------------------------- textures

def make_no_texture(size=64, square=8):
    image = Image.new("RGBA", (size, size), INK)
    draw = ImageDraw.Draw(image)
    for y in range(0, size, square):
        for x in range(0, size, square):
            if (x // square + y // square) % 2 == 0:
                draw.rectangle([x, y, x + square - 1, y + square - 1], fill=MAGENTA)
    save_png(image, OPAQUE, "NO_TEXTURE")


BUTTON_CELL = (192, 64)
# Normal, hovered (or selected), held: fill, rim, shine.
BUTTON_LOOKS = [(DEEP, TEAL, MINT), (TEAL, MINT, OFF_WHITE), (PLUM, SAND, ORANGE)]


def make_button():
    w, h = BUTTON_CELL
    image = Image.new("RGBA", (w * len(BUTTON_LOOKS), h), CLEAR)
    draw = ImageDraw.Draw(image)
    for index, (fill, rim, shine) in enumerate(BUTTON_LOOKS):
        left = index * w
        pressed = 3 if index == 2 else 0
        draw.rounded_rectangle([left + 2, 6, left + w - 3, h - 3], radius=14, fill=INK)
        draw.rounded_rectangle([left + 2, 2 + pressed, left + w - 3, h - 7 + pressed], radius=14, fill=rim)
        draw.rounded_rectangle([left + 6, 6 + pressed, left + w - 7, h - 11 + pressed], radius=10, fill=fill)
        draw.rounded_rectangle([left + 14, 10 + pressed, left + w - 15, 13 + pressed], radius=2, fill=shine)
    save_png(image, OPAQUE, "ButtonDefault")


# ---------------------------------------------------------------- screen wipes

WIPE_CELL = (192, 108)
WIPE_COLUMNS, WIPE_ROWS = 10, 9
WIPE_FRAMES = WIPE_COLUMNS * WIPE_ROWS  # 90
COVERED_FRAME = 77  # the last frame of the covering run; later frames open the title window
CARD_WINDOW = 64    # texels; one texel is ten window pixels at 1920 by 1080


def wipe_sheet(draw_cover, palette):
    w, h = WIPE_CELL
    sheet = Image.new("RGBA", (w * WIPE_COLUMNS, h * WIPE_ROWS), CLEAR)
    for frame in range(WIPE_FRAMES):
        cell = Image.new("RGBA", (w, h), CLEAR)
        draw = ImageDraw.Draw(cell)
        cover = min(frame, COVERED_FRAME) / COVERED_FRAME
        draw_cover(draw, cover, palette)
        if frame > COVERED_FRAME:
            open_window(draw, (frame - COVERED_FRAME) / (WIPE_FRAMES - 1 - COVERED_FRAME), palette)
        column, row = frame % WIPE_COLUMNS, frame // WIPE_COLUMNS
        sheet.paste(cell, (column * w, row * h))
    return sheet


def open_window(draw, t, palette):
    """A framed window that grows in the middle of the covered screen to show the title card."""
    w, h = WIPE_CELL
    half = max(1, round(CARD_WINDOW / 2 * t))
    rim = 3
    cx, cy = w // 2, h // 2
    draw.rounded_rectangle([cx - half - rim, cy - half - rim, cx + half + rim - 1, cy + half + rim - 1],
                           radius=6, fill=palette["rim"])
    draw.rounded_rectangle([cx - half, cy - half, cx + half - 1, cy + half - 1], radius=4, fill=CLEAR)


def ease(t):
    return t * t * (3.0 - 2.0 * t)


def diagonal_bands(draw, cover, palette):
    """Slanted bands in three colours race in from the left; the last one is the backdrop."""
    w, h = WIPE_CELL
    colours = palette["bands"]
    slant = h
    for index, colour in enumerate(colours):
        lag = index * 0.18
        t = ease(min(1.0, max(0.0, (cover - lag) / (1.0 - lag)))) if cover > lag else 0.0
        if t <= 0.0:
            continue
        edge = -slant + t * (w + 2 * slant)
        draw.polygon([(-2, -2), (edge + slant, -2), (edge, h + 2), (-2, h + 2)], fill=colour)


def falling_blinds(draw, cover, palette):
    """Twelve blinds drop from the top one after another, alternating two colours."""
    w, h = WIPE_CELL
    blinds = 12
    width = w / blinds
    for index in range(blinds):
        lag = index / blinds * 0.5
        t = ease(min(1.0, max(0.0, (cover - lag) / 0.5)))
        if t <= 0.0:
            continue
        colour = palette["bands"][index % 2]
        bottom = t * (h + 6)
        left = round(index * width)
        right = round((index + 1) * width) - 1
        draw.rectangle([left, -1, right, bottom], fill=colour)
        draw.rectangle([left, bottom - 3, right, bottom], fill=palette["rim"])
        draw.rectangle([left, -1, right, min(bottom, 2)], fill=palette["bands"][2])


def closing_iris(draw, cover, palette):
    """A ring of colour closes in from the edges to the middle, like a camera iris."""
    w, h = WIPE_CELL
    cx, cy = w / 2, h / 2
    far = math.hypot(cx, cy) + 2
    radius = far * (1.0 - ease(cover))
    draw.rectangle([0, 0, w - 1, h - 1], fill=palette["bands"][0])
    if radius > 0.5:
        rim = max(1.0, 8 * (1.0 - cover))
        draw.ellipse([cx - radius - rim, cy - radius - rim, cx + radius + rim, cy + radius + rim],
                     fill=palette["rim"])
        draw.ellipse([cx - radius - rim / 2, cy - radius - rim / 2, cx + radius + rim / 2, cy + radius + rim / 2],
                     fill=palette["bands"][1])
        draw.ellipse([cx - radius, cy - radius, cx + radius, cy + radius], fill=CLEAR)


WIPES = {
    "Transition1": (diagonal_bands, {"bands": [MINT, TEAL, NIGHT], "rim": SAND}),
    "Transition2": (falling_blinds, {"bands": [ORANGE, CORAL, SAND], "rim": INK}),
    "Transition3": (closing_iris, {"bands": [PLUM, DEEP], "rim": MINT}),
}


def make_wipes():
    for name, (draw_cover, palette) in WIPES.items():
        save_png(wipe_sheet(draw_cover, palette), BLENDED, name)


# ---------------------------------------------------------------- player

PLAYER_CELL = 32
PLAYER_COLUMNS = 6
# Sheet rows from the top: animation name, frame count, frame time (ms), looping.
PLAYER_ANIMATIONS = [
    ("IdleLeft", 4, 220, True),
    ("IdleRight", 4, 220, True),
    ("Walk_Left", 6, 80, True),
    ("Walk_Right", 6, 80, True),
    ("Jump_Left", 3, 90, False),
    ("Jump_Right", 3, 90, False),
    ("Land_Left", 3, 70, False),
    ("Land_Right", 3, 70, False),
    ("DeathLeft", 6, 90, False),
    ("DeathRight", 6, 90, False),
    ("DashLeftMid", 4, 50, True),
    ("DashRightMid", 4, 50, True),
]


def pose(name, frame):
    """Body offsets for one frame: (bob, squash, left foot, right foot, arms up)."""
    if name.startswith("Idle"):
        return ([0, 0, 1, 1][frame], 0, 0, 0, False)
    if name.startswith("Walk"):
        swing = [-3, -1, 2, 3, 1, -2][frame]
        return ([0, 1, 0, 0, 1, 0][frame], 0, swing, -swing, False)
    if name.startswith("Jump"):
        return ([1, -1, -2][frame], [2, -2, -1][frame], -2, 2, True)
    if name.startswith("Land"):
        return ([2, 1, 0][frame], [3, 1, 0][frame], 0, 0, False)
    return (0, 0, 0, 0, False)


def draw_player_cell(carrying, name, frame):
    size = PLAYER_CELL
    cell = Image.new("RGBA", (size, size), CLEAR)
    draw = ImageDraw.Draw(cell)
    if name.startswith("Death"):
        draw_burst(draw, frame)
        return cell.transpose(Image.FLIP_LEFT_RIGHT) if name.endswith("Right") else cell
    if name.startswith("Dash"):
        draw_dash_roll(draw, carrying, frame)
        return cell.transpose(Image.FLIP_LEFT_RIGHT) if "Right" in name else cell

    bob, squash, left_foot, right_foot, arms_up = pose(name, frame)
    top = 8 + bob + squash
    bottom = 26 + bob
    # Feet.
    draw.rectangle([11 + left_foot, 26, 14 + left_foot, 29], fill=INK)
    draw.rectangle([18 + right_foot, 26, 21 + right_foot, 29], fill=INK)
    # Parcel carried on the back (the back is to the right when facing left).
    if carrying:
        draw.rectangle([21, top + 4, 28, top + 12], fill=INK)
        draw.rectangle([22, top + 5, 27, top + 11], fill=ORANGE)
        draw.line([(22, top + 8), (27, top + 8)], fill=SAND)
        draw.line([(24, top + 5), (24, top + 11)], fill=SAND)
    # Body with outline and a mint belly.
    draw.rounded_rectangle([7 - squash // 2, top, 24 + squash // 2, bottom], radius=6, fill=INK)
    draw.rounded_rectangle([8 - squash // 2, top + 1, 23 + squash // 2, bottom - 1], radius=5, fill=TEAL)
    draw.rounded_rectangle([10, top + (bottom - top) // 2, 18, bottom - 3], radius=3, fill=MINT)
    # Arms up while jumping.
    if arms_up:
        draw.rectangle([4, top - 2, 6, top + 5], fill=INK)
        draw.rectangle([5, top - 1, 5, top + 4], fill=TEAL)
    # Eye looking left.
    eye_y = top + 4
    draw.rectangle([9, eye_y, 13, eye_y + 4], fill=OFF_WHITE)
    draw.rectangle([9, eye_y + 1, 10, eye_y + 3], fill=INK)
    # Scarf.
    draw.rectangle([8, top + 9 - squash // 2, 23, top + 10 - squash // 2], fill=CORAL)
    # The right-facing rows are mirrors of the left-facing ones.
    return cell.transpose(Image.FLIP_LEFT_RIGHT) if name.endswith("Right") else cell


def draw_dash_roll(draw, carrying, frame):
    """Curled into a spinning ball with speed streaks above and below: it reads the same
    whichever way the dash goes."""
    cx, cy = 16, 18
    draw.ellipse([cx - 9, cy - 9, cx + 9, cy + 9], fill=INK)
    draw.ellipse([cx - 8, cy - 8, cx + 8, cy + 8], fill=TEAL)
    angle = frame * math.pi / 2
    for k in range(2):
        a = angle + k * math.pi
        x, y = cx + 4 * math.cos(a), cy + 4 * math.sin(a)
        draw.ellipse([x - 2, y - 2, x + 2, y + 2], fill=CORAL if k == 0 else MINT)
    if carrying:
        x, y = cx + 6 * math.cos(angle + math.pi / 2), cy + 6 * math.sin(angle + math.pi / 2)
        draw.rectangle([x - 2, y - 2, x + 2, y + 2], fill=ORANGE, outline=INK)
    for offset, length in ((-11, 8 + frame % 2 * 3), (11, 11 - frame % 2 * 3)):
        draw.line([(cx - length, cy + offset), (cx + length, cy + offset)], fill=SAND)


def draw_burst(draw, frame):
    """The character pops into a ring of sparks that fades out."""
    cx, cy = 16, 18
    if frame == 0:
        draw.ellipse([8, 10, 24, 26], fill=OFF_WHITE)
        return
    spread = 3 + frame * 2
    size = max(1, 4 - frame // 2)
    colour = [CORAL, ORANGE, SAND, SAND, MINT, MINT][frame]
    for k in range(8):
        angle = k * math.pi / 4 + frame * 0.2
        x, y = cx + spread * math.cos(angle), cy + spread * math.sin(angle)
        draw.rectangle([x - size / 2, y - size / 2, x + size / 2, y + size / 2], fill=colour)


def make_player():
    size = PLAYER_CELL
    for texture, carrying in (("SpritePackage", True), ("SpriteNoPackage", False)):
        sheet = Image.new("RGBA", (size * PLAYER_COLUMNS, size * len(PLAYER_ANIMATIONS)), CLEAR)
        for row, (name, count, _, _) in enumerate(PLAYER_ANIMATIONS):
            for frame in range(count):
                sheet.paste(draw_player_cell(carrying, name, frame), (frame * size, row * size))
        save_png(sheet, BLENDED, texture)


# ---------------------------------------------------------------- animation file

def animation(name, count, start_row, speed, looping):
    return {"Name": name, "FrameCount": count, "Start Row": start_row, "Frame Speed": speed, "Looping": looping}


def make_animation_file():
    sheets = [
        {"Name": "Default", "Columns": 1, "Rows": 1, "Animations": [animation("Default", 1, 1, 100, False)]},
        {"Name": "DefaultButton", "Columns": len(BUTTON_LOOKS), "Rows": 1,
         "Animations": [animation("DefaultButton", len(BUTTON_LOOKS), 1, 100, False)]},
    ]
    for name in WIPES:
        sheets.append({"Name": name, "Columns": WIPE_COLUMNS, "Rows": WIPE_ROWS,
                       "Animations": [animation(name, WIPE_FRAMES, 1, 12, False)]})
    sheets.append({"Name": "Player", "Columns": PLAYER_COLUMNS, "Rows": len(PLAYER_ANIMATIONS),
                   "Animations": [animation(name, count, row + 1, speed, looping)
                                  for row, (name, count, speed, looping) in enumerate(PLAYER_ANIMATIONS)]})
    os.makedirs(ANIMATIONS, exist_ok=True)
    with open(os.path.join(ANIMATIONS, "Animations.json"), "w") as out:
        json.dump({"AnimationSheets": sheets}, out, indent=4)
        out.write("\n")


def main():
    make_quad()
    make_ring()
    make_no_texture()
    make_button()
    make_wipes()
    make_player()
    make_animation_file()


if __name__ == "__main__":
    main()
