"""The game's one palette and the PNG writer shared by the image generators under tools/.

Colours are opaque RGBA tuples; with_alpha gives a see-through variant. Every image is saved
as a 32-bit RGBA PNG, which is the only kind the texture loader takes.
"""

import os

NIGHT = (0x1B, 0x1F, 0x3B, 255)
DEEP = (0x2E, 0x3A, 0x6E, 255)
TEAL = (0x3A, 0xAF, 0xA9, 255)
MINT = (0x8E, 0xE3, 0xC8, 255)
SAND = (0xF2, 0xD4, 0x92, 255)
ORANGE = (0xF2, 0x9E, 0x4C, 255)
CORAL = (0xE4, 0x57, 0x2E, 255)
PLUM = (0x6B, 0x2D, 0x5C, 255)
OFF_WHITE = (0xF7, 0xF4, 0xEA, 255)
INK = (0x14, 0x12, 0x1B, 255)
CLEAR = (0, 0, 0, 0)


def with_alpha(colour, alpha):
    return colour[:3] + (alpha,)


def save_png(image, folder, name):
    os.makedirs(folder, exist_ok=True)
    image.convert("RGBA").save(os.path.join(folder, name + ".png"), optimize=True)
