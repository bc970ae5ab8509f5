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

# A cell is as tall as the player's 1 by 1.5 collider, so texels stay square on screen.
PLAYER_CELL = (32, 48)
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

# The courier is drawn facing left, the right-facing rows are mirrors. Coordinates are texels
# of the standing pose; the soles rest on the cell's bottom row, where the collider ends.
HIP = (16, 35)
SHOULDER_HEIGHT = 12  # hip to shoulder
NECK = 7              # shoulder to the middle of the head
FOOT_Y = 46
STRIDE = 3            # half the distance between the feet at rest


class Pose:
    """Where the joints are in one frame. Offsets are from the standing pose."""

    def __init__(self, drop=0, lean=0, feet=((0, 0), (0, 0)), knees=(0, 0), hands=((-2, 10), (2, 10)),
                 squash=0, flash=False):
        self.drop = drop        # hip lowered by this much
        self.lean = lean        # shoulders ahead of the hip (towards the facing side)
        self.feet = feet        # (dx, lift) of the near and far foot
        self.knees = knees      # how far each knee bends forward
        self.hands = hands      # near and far hand relative to the shoulder
        self.squash = squash    # torso shortened by this much
        self.flash = flash      # drawn as a white silhouette


def walk_pose(frame):
    phase = 2 * math.pi * frame / 6
    swing, lift = math.sin(phase), math.cos(phase)
    # Both feet swing about the hip, so they pass each other under it.
    near = (STRIDE + round(-5 * swing), round(3 * max(0.0, lift)))
    far = (-STRIDE + round(5 * swing), round(3 * max(0.0, -lift)))
    drop = 0 if abs(lift) > 0.7 else 1
    hands = ((round(4 * swing) - 1, 9), (round(-4 * swing) + 1, 9))
    return Pose(drop=drop, lean=-1, feet=(near, far), knees=(2 if near[1] else 1, 2 if far[1] else 1), hands=hands)


def player_pose(name, frame):
    if name.startswith("Idle"):
        breath = [0, 1, 1, 0][frame]
        return Pose(drop=breath, knees=(breath, breath), hands=((-2, 10 - breath), (2, 10 - breath)))
    if name.startswith("Walk"):
        return walk_pose(frame)
    if name.startswith("Jump"):
        return [Pose(drop=4, lean=-1, knees=(4, 4), hands=((3, 9), (5, 8)), squash=1),
                Pose(drop=-2, lean=-1, feet=((1, 2), (3, 1)), hands=((-9, -6), (4, -10))),
                Pose(drop=-3, lean=-1, feet=((-2, 6), (2, 4)), knees=(4, 3), hands=((-9, 1), (6, -5)))][frame]
    if name.startswith("Land"):
        return [Pose(drop=5, lean=-2, knees=(5, 5), hands=((-7, 3), (6, 3)), squash=1),
                Pose(drop=2, lean=-1, knees=(2, 2), hands=((-4, 7), (4, 7))),
                Pose()][frame]
    if name.startswith("Dash"):
        trail = [0, 1, 0, -1][frame]
        return Pose(drop=2 + trail, lean=-4, feet=((-4, 2), (8 - trail, 4 + trail)), knees=(3, -1),
                    hands=((-8, 1 - trail), (7, 4)))
    return Pose()


def limb(draw, points, width, colour, start_cap=True):
    draw.line(points, fill=colour, width=width, joint="curve")
    ends = [points[0], points[-1]] if start_cap else [points[-1]]
    for x, y in ends:
        r = (width - 1) / 2
        draw.ellipse([x - r, y - r, x + r, y + r], fill=colour)


def leg(draw, hip, foot, bend, colour):
    knee = ((hip[0] + foot[0]) / 2 - bend, (hip[1] + foot[1]) / 2)
    limb(draw, [hip, knee, (foot[0], foot[1] - 2)], 4, colour)
    # The boot points the way the courier faces.
    draw.rectangle([foot[0] - 3, foot[1] - 2, foot[0] + 1, foot[1]], fill=INK)


def arm(draw, shoulder, hand, colour, rim=None):
    if rim:
        # No cap at the shoulder: the rim parts the arm from the body, not the body from itself.
        limb(draw, [shoulder, hand], 5, rim, start_cap=False)
    limb(draw, [shoulder, hand], 3, colour)
    draw.rectangle([hand[0] - 1, hand[1] - 1, hand[0], hand[1]], fill=SAND)


def parcel_on_back(draw, shoulder):
    x, y = shoulder[0] + 4, shoulder[1] - 1
    draw.rectangle([x, y, x + 8, y + 9], fill=ORANGE)
    draw.rectangle([x + 3, y, x + 4, y + 9], fill=SAND)
    draw.line([(x, y + 4), (x + 8, y + 4)], fill=SAND)


def head(draw, centre):
    cx, cy = centre
    draw.ellipse([cx - 6, cy - 5, cx + 6, cy + 6], fill=SAND)
    # Courier's cap with its peak to the front, and a tuft of hair behind.
    draw.chord([cx - 6, cy - 7, cx + 6, cy + 3], 180, 360, fill=CORAL)
    draw.rectangle([cx - 10, cy - 2, cx - 3, cy - 1], fill=CORAL)
    draw.rectangle([cx - 2, cy - 5, cx - 1, cy - 4], fill=OFF_WHITE)
    draw.rectangle([cx + 4, cy - 1, cx + 6, cy + 2], fill=PLUM)
    draw.rectangle([cx - 4, cy + 1, cx - 3, cy + 2], fill=INK)


def torso(draw, hip, shoulder, carrying):
    hx, hy = hip
    sx, sy = shoulder
    draw.polygon([(hx - 5, hy), (sx - 5, sy), (sx + 5, sy), (hx + 5, hy)], fill=TEAL)
    draw.ellipse([sx - 5, sy - 2, sx + 5, sy + 3], fill=TEAL)
    draw.rectangle([hx - 5, hy - 2, hx + 5, hy], fill=DEEP)
    draw.line([(sx - 4, sy + 1), (sx + 4, sy + 1)], fill=MINT)
    if carrying:
        draw.line([(sx - 3, sy), (hx + 4, hy - 3)], fill=PLUM, width=2)


def outlined(layer, flash):
    """Rings the figure with one texel of ink (or ink around a white flash)."""
    w, h = layer.size
    alpha = layer.getchannel("A").load()
    result = layer.copy()
    if flash:
        result.paste(OFF_WHITE, (0, 0, w, h), layer.getchannel("A"))
    pixels = result.load()
    for y in range(h):
        for x in range(w):
            if alpha[x, y]:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                if 0 <= x + dx < w and 0 <= y + dy < h and alpha[x + dx, y + dy]:
                    pixels[x, y] = INK
                    break
    return result


def draw_courier(carrying, pose):
    layer = Image.new("RGBA", PLAYER_CELL, CLEAR)
    draw = ImageDraw.Draw(layer)
    hip = (HIP[0], HIP[1] + pose.drop)
    shoulder = (hip[0] + pose.lean, hip[1] - SHOULDER_HEIGHT + pose.squash)
    feet = [(HIP[0] + side * STRIDE + dx, FOOT_Y - lift) for side, (dx, lift) in zip((-1, 1), pose.feet)]
    hands = [(shoulder[0] + dx, shoulder[1] + dy) for dx, dy in pose.hands]
    # Far side first, so the near limbs overlap it.
    arm(draw, (shoulder[0] + 2, shoulder[1] + 1), hands[1], DEEP)
    leg(draw, (hip[0] + 2, hip[1]), feet[1], pose.knees[1], NIGHT)
    if carrying:
        parcel_on_back(draw, shoulder)
    torso(draw, hip, shoulder, carrying)
    leg(draw, (hip[0] - 2, hip[1]), feet[0], pose.knees[0], DEEP)
    head(draw, (shoulder[0] - 1, shoulder[1] - NECK))
    arm(draw, (shoulder[0] - 1, shoulder[1] + 1), hands[0], TEAL, rim=DEEP)
    return outlined(layer, pose.flash)


def draw_speed_lines(draw, frame):
    """Streaks trailing behind a dash; they slide back a little every frame."""
    for index, (y, length) in enumerate(((20, 9), (27, 12), (34, 8))):
        start = 18 + (frame * 3 + index * 5) % 8
        draw.line([(start, y), (min(31, start + length), y)], fill=MINT if index != 1 else OFF_WHITE)


def draw_death(carrying, frame):
    """A white flash, then the courier bursts into a ring of pieces; the cap flies off."""
    if frame < 2:
        pose = Pose(drop=[0, 3][frame], hands=((-6, -8), (6, -8)), squash=[0, 2][frame], flash=True)
        return draw_courier(carrying, pose)
    cell = Image.new("RGBA", PLAYER_CELL, CLEAR)
    draw = ImageDraw.Draw(cell)
    t = (frame - 1) / 4
    cx, cy = 16, 30
    spread = 4 + 9 * t
    size = 3 - (frame - 2) * 0.6
    colours = [TEAL, CORAL, SAND, MINT, ORANGE if carrying else TEAL, DEEP, SAND, CORAL]
    for k in range(8):
        angle = k * math.pi / 4 + t * 0.8
        x, y = cx + spread * math.cos(angle), cy + spread * math.sin(angle) * 0.9 + 6 * t * t
        draw.rectangle([x - size, y - size, x + size, y + size], fill=colours[k] if frame < 5 else MINT)
    if frame < 5:
        cap_x, cap_y = 12 - 8 * t, 14 - 14 * t + 20 * t * t
        draw.chord([cap_x - 5, cap_y - 4, cap_x + 5, cap_y + 4], 180, 360, fill=CORAL, outline=INK)
    return cell


def draw_player_cell(carrying, name, frame):
    if name.startswith("Death"):
        cell = draw_death(carrying, frame)
    else:
        cell = Image.new("RGBA", PLAYER_CELL, CLEAR)
        if name.startswith("Dash"):
            draw_speed_lines(ImageDraw.Draw(cell), frame)
        cell.alpha_composite(draw_courier(carrying, player_pose(name, frame)))
    return cell.transpose(Image.FLIP_LEFT_RIGHT) if "Right" in name else cell


def make_player():
    w, h = PLAYER_CELL
    for texture, carrying in (("SpritePackage", True), ("SpriteNoPackage", False)):
        sheet = Image.new("RGBA", (w * PLAYER_COLUMNS, h * len(PLAYER_ANIMATIONS)), CLEAR)
        for row, (name, count, _, _) in enumerate(PLAYER_ANIMATIONS):
            for frame in range(count):
                sheet.paste(draw_player_cell(carrying, name, frame), (frame * w, row * h))
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
