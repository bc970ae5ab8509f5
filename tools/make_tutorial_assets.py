#!/usr/bin/python3
"""Generates the tutorial signs that stand in the first level: TutorialJump, TutorialDash,
TutorialThrow and TutorialTeleport under assets/textures/blended.

Each sign is three frames side by side, the grid of the "DefaultButton" animation sheet; the
game shows the frame of the device in use: 0 keyboard and mouse, 1 a "Wireless Controller"
(cross, circle, square, triangle, L1/R1/L2/R2), 2 any other gamepad (A/B/X/Y, LB/RB/LT/RT).
The controls come from assets/input.json, so a sign never shows a button the game does not
read: asking for an unbound control stops the script.

Frames are small (128 by 64) and drawn pixel by pixel with unsmoothed text, since the game
samples them with nearest filtering at about two texels per screen pixel.

Run from anywhere: /usr/bin/python3 tools/make_tutorial_assets.py (needs PIL and fonts-dejavu-core)
"""

import os

from PIL import Image, ImageDraw, ImageFont

from make_ui_assets import INPUT_FILE, read_bindings
from palette import CLEAR, CORAL, DEEP, INK, MINT, NIGHT, OFF_WHITE, ORANGE, SAND, TEAL, save_png

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BLENDED = os.path.join(ROOT, "assets", "textures", "blended")
FONT_FOLDER = "/usr/share/fonts/truetype/dejavu"

FRAME = (128, 64)
FAMILIES = ["keyboard", "playstation", "xbox"]
ICON_Y = 25     # middle of the icon row
CAPTION_Y = 52  # middle of the caption row


def font(size):
    return ImageFont.truetype(os.path.join(FONT_FOLDER, "DejaVuSans-Bold.ttf"), size)


CAP_FONT = font(11)
CAPTION_FONT = font(10)


# ---------------------------------------------------------------- bindings

BINDINGS = read_bindings()


def bound(action, code):
    """The code, after checking that the game really reads it for the action."""
    if code not in BINDINGS.get(action, []):
        raise SystemExit("make_tutorial_assets: %s is not bound to %s in %s" % (code, action, INPUT_FILE))
    return code


# ---------------------------------------------------------------- glyphs
# Each glyph is (width, paint); paint(draw, left, centre_y) draws it with its left edge at left.

def text_width(text, face):
    left, _, right, _ = face.getbbox(text)
    return right - left


def key(label):
    """A keyboard key: a light cap on a dark lip, wide enough for its label."""
    width = max(20, text_width(label, CAP_FONT) + 10)

    def paint(draw, left, cy):
        top, bottom = cy - 10, cy + 9
        draw.rounded_rectangle([left, top, left + width - 1, bottom], radius=3, fill=INK)
        draw.rounded_rectangle([left + 1, top + 1, left + width - 2, bottom - 1], radius=2, fill=TEAL)
        draw.rounded_rectangle([left + 1, top + 1, left + width - 2, bottom - 5], radius=2, fill=OFF_WHITE)
        draw.text((left + width // 2, top + 8), label, font=CAP_FONT, fill=INK, anchor="mm")
    return width, paint


def arrow_key(direction):
    """A key with a drawn arrow, which reads better than a font's arrow at this size."""
    width, cap = key("")

    def paint(draw, left, cy):
        cap(draw, left, cy)
        x, y = left + width // 2, cy - 2
        if direction == "LEFT":
            draw.polygon([(x - 5, y), (x, y - 5), (x, y + 5)], fill=INK)
            draw.rectangle([x, y - 1, x + 5, y + 1], fill=INK)
        else:
            draw.polygon([(x + 5, y), (x, y - 5), (x, y + 5)], fill=INK)
            draw.rectangle([x - 5, y - 1, x, y + 1], fill=INK)
    return width, paint


KEY_LABELS = {"SPACE": "SPACE", "LEFT_SHIFT": "SHIFT", "RIGHT_SHIFT": "SHIFT"}


def keyboard_key(action, name):
    code = bound(action, "BUTTON_KEY_" + name)
    if name in ("LEFT", "RIGHT"):
        return arrow_key(name)
    return key(KEY_LABELS.get(code[len("BUTTON_KEY_"):], name))


def mouse(action, button, held=True):
    """A mouse with the bound button lit (or outlined when it is being let go)."""
    bound(action, "BUTTON_MOUSE_BUTTON_" + button)
    width = 17

    def paint(draw, left, cy):
        top = cy - 12
        draw.rounded_rectangle([left, top, left + 16, top + 23], radius=7, fill=INK)
        draw.rounded_rectangle([left + 1, top + 1, left + 15, top + 22], radius=6, fill=OFF_WHITE)
        draw.line([(left + 1, top + 9), (left + 15, top + 9)], fill=INK)
        draw.line([(left + 8, top + 1), (left + 8, top + 9)], fill=INK)
        box = {"LEFT": [left + 2, top + 2, left + 7, top + 8], "RIGHT": [left + 9, top + 2, left + 14, top + 8],
               "MIDDLE": [left + 7, top + 3, left + 9, top + 8]}[button]
        draw.rectangle(box, fill=CORAL if held else MINT)
    return width, paint


def pointer():
    """The arrow pointer: with the mouse, the package flies where the pointer is."""
    width = 14

    def paint(draw, left, cy):
        top = cy - 10
        outline = [(left, top), (left, top + 17), (left + 4, top + 13), (left + 8, top + 20), (left + 11, top + 19),
                   (left + 7, top + 12), (left + 13, top + 12)]
        draw.polygon(outline, fill=OFF_WHITE, outline=INK)
    return width, paint


PAD_FACES = {
    # GLFW's south, east, west, north buttons.
    "xbox": {"A": (MINT, "A"), "B": (CORAL, "B"), "X": (TEAL, "X"), "Y": (SAND, "Y")},
    "playstation": {"A": (MINT, "cross"), "B": (CORAL, "circle"), "X": (ORANGE, "square"), "Y": (TEAL, "triangle")},
}
SHOULDERS = {
    "xbox": {"LEFT_BUMPER": "LB", "RIGHT_BUMPER": "RB", "LEFT_TRIGGER": "LT", "RIGHT_TRIGGER": "RT"},
    "playstation": {"LEFT_BUMPER": "L1", "RIGHT_BUMPER": "R1", "LEFT_TRIGGER": "L2", "RIGHT_TRIGGER": "R2"},
}


def face_button(action, family, name):
    """A round face button: a letter on the gamepad, a drawn symbol on the Wireless Controller."""
    bound(action, "BUTTON_GAMEPAD_BUTTON_" + name)
    colour, mark = PAD_FACES[family][name]
    width = 20

    def paint(draw, left, cy):
        x0, y0 = left, cy - 10
        draw.ellipse([x0, y0, x0 + 19, y0 + 19], fill=INK)
        if family == "xbox":
            draw.ellipse([x0 + 1, y0 + 1, x0 + 18, y0 + 18], fill=colour)
            draw.text((x0 + 10, y0 + 10), mark, font=CAP_FONT, fill=INK, anchor="mm")
            return
        draw.ellipse([x0 + 1, y0 + 1, x0 + 18, y0 + 18], fill=DEEP)
        cx, cy2 = x0 + 9.5, y0 + 9.5
        if mark == "cross":
            draw.line([(cx - 5, cy2 - 5), (cx + 5, cy2 + 5)], fill=colour, width=2)
            draw.line([(cx - 5, cy2 + 5), (cx + 5, cy2 - 5)], fill=colour, width=2)
        elif mark == "circle":
            draw.ellipse([cx - 5.5, cy2 - 5.5, cx + 5.5, cy2 + 5.5], outline=colour, width=2)
        elif mark == "square":
            draw.rectangle([cx - 5, cy2 - 5, cx + 5, cy2 + 5], outline=colour, width=2)
        else:
            draw.polygon([(cx, cy2 - 6), (cx + 6, cy2 + 4.5), (cx - 6, cy2 + 4.5)], outline=colour, width=2)
    return width, paint


def shoulder(action, family, name):
    """A shoulder button or trigger: a flat cap with its printed name."""
    code = ("BUTTON_GAMEPAD_BUTTON_" if "BUMPER" in name else "BUTTON_GAMEPAD_") + name
    bound(action, code)
    label = SHOULDERS[family][name]
    width = 24
    trigger = "TRIGGER" in name

    def paint(draw, left, cy):
        top, bottom = cy - 8, cy + 7
        radius = 7 if trigger else 3
        draw.rounded_rectangle([left, top, left + width - 1, bottom], radius=radius, fill=INK)
        draw.rounded_rectangle([left + 1, top + 1, left + width - 2, bottom - 1], radius=radius - 1, fill=SAND)
        draw.text((left + width // 2, cy), label, font=CAP_FONT, fill=INK, anchor="mm")
    return width, paint


def stick(action, side, direction=None):
    """An analogue stick seen from above, with arrows for the way it is pushed."""
    name = side + "_JOY" + ("_" + direction if direction else "")
    bound(action, "BUTTON_GAMEPAD_" + name)
    width = 21

    def paint(draw, left, cy):
        x, y = left + 10, cy
        draw.ellipse([x - 10, y - 10, x + 10, y + 10], fill=INK)
        draw.ellipse([x - 9, y - 9, x + 9, y + 9], fill=DEEP)
        draw.ellipse([x - 6, y - 6, x + 6, y + 6], fill=OFF_WHITE, outline=INK)
        draw.text((x, y), side[0], font=font(9), fill=INK, anchor="mm")
        for dx, dy in ((-8, 0), (8, 0), (0, -8), (0, 8)):
            draw.point((x + dx, y + dy), fill=MINT)
    return width, paint


def dpad(bindings):
    """The cross-shaped pad; bindings are the (action, direction) pairs it stands for."""
    for action, direction in bindings:
        bound(action, "BUTTON_GAMEPAD_BUTTON_DPAD_" + direction)
    width = 21

    def paint(draw, left, cy):
        x, y = left + 10, cy
        draw.rectangle([x - 10, y - 3, x + 10, y + 3], fill=INK)
        draw.rectangle([x - 3, y - 10, x + 3, y + 10], fill=INK)
        draw.rectangle([x - 9, y - 2, x + 9, y + 2], fill=OFF_WHITE)
        draw.rectangle([x - 2, y - 9, x + 2, y + 9], fill=OFF_WHITE)
        draw.polygon([(x - 8, y), (x - 6, y - 2), (x - 6, y + 2)], fill=CORAL)
        draw.polygon([(x + 8, y), (x + 6, y - 2), (x + 6, y + 2)], fill=CORAL)
    return width, paint


def word(text, colour=MINT):
    width = text_width(text, CAP_FONT)

    def paint(draw, left, cy):
        draw.text((left, cy), text, font=CAP_FONT, fill=colour, anchor="lm")
    return width, paint


def plus():
    return word("+", SAND)


def slash():
    return word("/", SAND)


# ---------------------------------------------------------------- layout

def group_width(glyphs, gap=2):
    return sum(width for width, _ in glyphs) + gap * (len(glyphs) - 1)


def caption_font(caption, room):
    """The caption size, a step smaller where a long caption would run into its neighbour."""
    size = CAPTION_FONT.size
    while size > 8 and text_width(caption, font(size)) > room:
        size -= 1
    return font(size)


def draw_group(draw, glyphs, centre_x, caption, room):
    left = centre_x - group_width(glyphs) // 2
    for width, paint in glyphs:
        paint(draw, left, ICON_Y)
        left += width + 2
    draw.text((centre_x, CAPTION_Y), caption, font=caption_font(caption, room), fill=SAND, anchor="mm")


def sign_frame(groups):
    """One frame: a framed board with the groups of controls spread evenly across it."""
    w, h = FRAME
    image = Image.new("RGBA", FRAME, CLEAR)
    draw = ImageDraw.Draw(image)
    draw.fontmode = "1"
    draw.rounded_rectangle([0, 0, w - 1, h - 1], radius=6, fill=INK)
    draw.rounded_rectangle([1, 1, w - 2, h - 2], radius=5, fill=TEAL)
    draw.rounded_rectangle([3, 3, w - 4, h - 4], radius=4, fill=NIGHT)
    draw.line([(8, CAPTION_Y - 9), (w - 9, CAPTION_Y - 9)], fill=DEEP)
    # Screw heads in the corners make it read as a board standing in the level.
    for x, y in ((6, 6), (w - 7, 6), (6, h - 7), (w - 7, h - 7)):
        draw.point((x, y), fill=DEEP)
    share = (w - 8) / len(groups)
    for index, (glyphs, caption) in enumerate(groups):
        draw_group(draw, glyphs, round(4 + share * (index + 0.5)), caption, share - 4)
    return image


def sheet(frames):
    w, h = FRAME
    image = Image.new("RGBA", (w * len(frames), h), CLEAR)
    for index, frame in enumerate(frames):
        image.paste(sign_frame(frame), (index * w, 0))
    return image


# ---------------------------------------------------------------- the four signs

def jump_groups(family):
    if family == "keyboard":
        move = [keyboard_key("MoveLeft", "A"), keyboard_key("MoveRight", "D")]
        return [(move, "MOVE"), ([keyboard_key("Jump", "SPACE")], "JUMP")]
    bound("MoveRight", "BUTTON_GAMEPAD_LEFT_JOY_RIGHT")
    move = [stick("MoveLeft", "LEFT", "LEFT"), slash(), dpad([("MoveLeft", "LEFT"), ("MoveRight", "RIGHT")])]
    return [(move, "MOVE"), ([face_button("Jump", family, "A")], "JUMP")]


def dash_streak():
    """Speed lines behind a small courier ball, to show what a dash looks like."""
    width = 30

    def paint(draw, left, cy):
        for dy, length in ((-4, 12), (0, 16), (4, 12)):
            draw.line([(left + 16 - length, cy + dy), (left + 15, cy + dy)], fill=MINT)
        draw.ellipse([left + 17, cy - 6, left + 29, cy + 6], fill=INK)
        draw.ellipse([left + 18, cy - 5, left + 28, cy + 5], fill=TEAL)
        draw.rectangle([left + 18, cy - 1, left + 28, cy], fill=CORAL)
        draw.rectangle([left + 24, cy - 4, left + 26, cy - 2], fill=OFF_WHITE)
    return width, paint


def dash_groups(family):
    if family == "keyboard":
        buttons = [keyboard_key("Dash", "LEFT_SHIFT")]
    else:
        buttons = [shoulder("Dash", family, "LEFT_TRIGGER"), slash(), face_button("Dash", family, "X")]
    return [(buttons, "DASH"), ([dash_streak()], "MID-AIR")]


def throw_groups(family):
    if family == "keyboard":
        return [([mouse("Aim", "RIGHT")], "HOLD"), ([pointer()], "AIM"),
                ([mouse("ThrowPackage", "RIGHT", held=False)], "LET GO")]
    return [([shoulder("Aim", family, "RIGHT_BUMPER")], "HOLD"), ([stick("GamepadAim", "RIGHT")], "AIM"),
            ([shoulder("ThrowPackage", family, "RIGHT_BUMPER")], "LET GO")]


def teleport_groups(family):
    if family == "keyboard":
        return [([keyboard_key("TeleportToPackage", "E")], "TELEPORT"),
                ([keyboard_key("SummonPackage", "Q")], "RECALL")]
    return [([face_button("TeleportToPackage", family, "Y")], "TELEPORT"),
            ([shoulder("SummonPackage", family, "LEFT_BUMPER")], "RECALL")]


SIGNS = {
    "TutorialJump": jump_groups,
    "TutorialDash": dash_groups,
    "TutorialThrow": throw_groups,
    "TutorialTeleport": teleport_groups,
}


def main():
    for name, groups in SIGNS.items():
        save_png(sheet([groups(family) for family in FAMILIES]), BLENDED, name)


if __name__ == "__main__":
    main()
