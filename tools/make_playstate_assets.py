#!/usr/bin/python3
"""Generates the play state's pictures under assets/textures/blended:

- "OpeningComic": three panels telling the premise (a courier must get a parcel across three
  levels), drawn over a dimmed, see-through backdrop. The play state shows it as an 18 by 18
  world square centred on the player with the camera about five units in front of it, so only
  the middle of the square is in view: the panels sit inside that middle band.
- "PACKINDICATOR" and "PACKINDICATOR_ARROW": the badge at the window's edge while the thrown
  parcel is out of view, and the arrow around it that points at the parcel (drawn pointing
  right; the game turns it).

Text uses DejaVu (Debian package fonts-dejavu-core). The courier is the game's own player
sprite, scaled up.

Run from anywhere: /usr/bin/python3 tools/make_playstate_assets.py
"""

import math
import os

from PIL import Image, ImageDraw, ImageFont

from make_render_assets import draw_player_cell
from palette import CLEAR, CORAL, DEEP, INK, MINT, NIGHT, OFF_WHITE, ORANGE, PLUM, SAND, TEAL, save_png, with_alpha

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BLENDED = os.path.join(ROOT, "assets", "textures", "blended")
FONT_FOLDER = "/usr/share/fonts/truetype/dejavu"

# Edges are drawn this many times larger and scaled down, for smooth outlines.
SUPERSAMPLE = 4

COMIC_SIZE = 2048
# The panels are laid out on a page of this size (the part of the comic square that a 16:9
# window shows at the play camera's distance), then shrunk by COMIC_FIT so that narrower
# windows and the camera's lean keep a margin around them.
COMIC_PAGE = (1320, 740)
COMIC_FIT = 0.88


def font(size, bold=True):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    return ImageFont.truetype(os.path.join(FONT_FOLDER, name), size)


def wrap(text, face, width):
    """Splits text into lines no wider than width pixels."""
    lines, line = [], ""
    for word in text.split():
        trial = (line + " " + word).strip()
        if face.getlength(trial) <= width:
            line = trial
        else:
            lines.append(line)
            line = word
    lines.append(line)
    return lines


def centred_text(draw, centre_x, top, text, face, fill, width, spacing=8):
    """Draws wrapped lines centred on centre_x from top down; returns the bottom."""
    ascent, descent = face.getmetrics()
    y = top
    for line in wrap(text, face, width):
        draw.text((centre_x - face.getlength(line) / 2, y), line, font=face, fill=fill)
        y += ascent + descent + spacing
    return y


def text_height(text, face, width, spacing=8):
    ascent, descent = face.getmetrics()
    return len(wrap(text, face, width)) * (ascent + descent + spacing) - spacing


def smooth(size, paint):
    """Paints at SUPERSAMPLE times the size and scales down to size."""
    big = Image.new("RGBA", (size[0] * SUPERSAMPLE, size[1] * SUPERSAMPLE), CLEAR)
    paint(ImageDraw.Draw(big), SUPERSAMPLE)
    return big.resize(size, Image.LANCZOS)


def courier(carrying, scale):
    cell = draw_player_cell(carrying, "IdleRight", 0)
    return cell.resize((cell.width * scale, cell.height * scale), Image.NEAREST)


def parcel(draw, box, outline=6):
    x0, y0, x1, y1 = box
    draw.rectangle(box, fill=ORANGE, outline=INK, width=outline)
    mid_x = (x0 + x1) // 2
    band = max(2, (x1 - x0) // 8)
    draw.rectangle([mid_x - band, y0 + outline, mid_x + band, y1 - outline], fill=SAND)
    draw.line([(x0 + outline, (y0 + y1) // 2), (x1 - outline, (y0 + y1) // 2)], fill=INK, width=max(2, outline // 2))


def star(draw, centre, radius, fill):
    cx, cy = centre
    points = []
    for k in range(10):
        r = radius if k % 2 == 0 else radius * 0.45
        angle = -math.pi / 2 + k * math.pi / 5
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    draw.polygon(points, fill=fill, outline=INK)


def dotted_arc(draw, start, end, lift, colour, dots=9, size=7):
    """Dots along a parabola from start to end that rises by lift at its middle."""
    for k in range(1, dots):
        t = k / dots
        x = start[0] + (end[0] - start[0]) * t
        y = start[1] + (end[1] - start[1]) * t - lift * 4 * t * (1 - t)
        draw.ellipse([x - size, y - size, x + size, y + size], fill=colour)


# ---------------------------------------------------------------- opening comic

def panel_courier(image, draw, box):
    x0, y0, x1, y1 = box
    draw.rectangle([x0, y0, x1, y0 + 330], fill=DEEP)
    draw.rectangle([x0, y0 + 270, x1, y0 + 330], fill=TEAL)
    sprite = courier(True, 8)
    image.alpha_composite(sprite, ((x0 + x1) // 2 - sprite.width // 2 - 40, y0 + 270 - 232))
    parcel(draw, [x1 - 130, y0 + 40, x1 - 40, y0 + 110], outline=5)
    draw.text((x1 - 175, y0 + 46), "!", font=font(64), fill=SAND)


def panel_levels(image, draw, box):
    x0, y0, x1, y1 = box
    draw.rectangle([x0, y0, x1, y0 + 330], fill=NIGHT)
    steps = [(x0 + 30, y0 + 260), (x0 + 150, y0 + 205), (x0 + 270, y0 + 150)]
    for number, (sx, sy) in enumerate(steps, start=1):
        draw.rectangle([sx, sy, sx + 90, y0 + 330], fill=DEEP, outline=MINT, width=4)
        draw.rectangle([sx + 40, sy - 70, sx + 46, sy], fill=OFF_WHITE)
        draw.polygon([(sx + 46, sy - 70), (sx + 86, sy - 56), (sx + 46, sy - 42)], fill=CORAL)
        label = str(number)
        left, upper, right, lower = draw.textbbox((0, 0), label, font=font(44))
        draw.text((sx + 45 - (right - left) / 2 - left, sy + 20 - upper), label, font=font(44), fill=SAND)
    for (ax, ay), (bx, by) in zip(steps, steps[1:]):
        dotted_arc(draw, (ax + 45, ay - 10), (bx + 45, by - 10), 60, MINT, dots=6, size=5)
    star(draw, (x1 - 40, y0 + 70), 32, SAND)


def panel_throw(image, draw, box):
    x0, y0, x1, y1 = box
    draw.rectangle([x0, y0, x1, y0 + 330], fill=PLUM)
    draw.rectangle([x0, y0 + 270, x1, y0 + 330], fill=DEEP)
    sprite = courier(False, 6)
    image.alpha_composite(sprite, (x0 + 20, y0 + 270 - 174))
    dotted_arc(draw, (x0 + 150, y0 + 150), (x1 - 110, y0 + 205), 130, SAND)
    parcel(draw, [x1 - 130, y0 + 200, x1 - 60, y0 + 262], outline=5)
    star(draw, (x1 - 50, y0 + 60), 30, SAND)


def make_comic_page():
    image = Image.new("RGBA", COMIC_PAGE, CLEAR)
    draw = ImageDraw.Draw(image)
    left, top, right, bottom = 0, 0, COMIC_PAGE[0] - 1, COMIC_PAGE[1] - 1
    draw.rounded_rectangle((left, top, right, bottom), radius=28, fill=INK, outline=TEAL, width=6)
    centre = (left + right) // 2
    centred_text(draw, centre, top + 24, "SPECIAL DELIVERY", font(56), SAND, right - left)

    captions = [
        (panel_courier, "A courier. A parcel. One promise: it gets there."),
        (panel_levels, "Three levels stand between the parcel and its door."),
        (panel_throw, "Throw it, call it back, jump to it. Reach the goal!"),
    ]
    gutter = 30
    width = (right - left - gutter * 4) // 3
    panel_top = top + 110
    for index, (paint, caption) in enumerate(captions):
        x0 = left + gutter + index * (width + gutter)
        box = (x0, panel_top, x0 + width, bottom - 90)
        draw.rectangle(box, fill=OFF_WHITE)
        paint(image, draw, box)
        draw.rectangle(box, outline=OFF_WHITE, width=8)
        caption_top = panel_top + 330
        caption_space = box[3] - caption_top
        caption_height = text_height(caption, font(32), width - 40)
        centred_text(draw, x0 + width // 2, caption_top + (caption_space - caption_height) // 2, caption, font(32),
                     INK, width - 40)
        draw.text((x0 + 14, panel_top + 10), str(index + 1), font=font(34), fill=OFF_WHITE)

    centred_text(draw, centre, bottom - 66, "Press SPACE, A or START to set off", font(34, bold=False), MINT,
                 right - left)
    return image


def make_opening_comic():
    image = Image.new("RGBA", (COMIC_SIZE, COMIC_SIZE), with_alpha(NIGHT, 200))
    page = make_comic_page()
    fitted = page.resize((round(page.width * COMIC_FIT), round(page.height * COMIC_FIT)), Image.LANCZOS)
    image.alpha_composite(fitted, ((COMIC_SIZE - fitted.width) // 2, (COMIC_SIZE - fitted.height) // 2))
    save_png(image, BLENDED, "OpeningComic")


# ---------------------------------------------------------------- package indicator

INDICATOR_SIZE = (128, 128)


def make_indicator():
    def paint(draw, s):
        draw.ellipse([22 * s, 22 * s, 106 * s, 106 * s], fill=with_alpha(NIGHT, 230), outline=TEAL, width=6 * s)
        parcel(draw, [44 * s, 48 * s, 84 * s, 82 * s], outline=4 * s)

    save_png(smooth(INDICATOR_SIZE, paint), BLENDED, "PACKINDICATOR")


def make_indicator_arrow():
    # Points right, along the image's middle row, outside the badge; symmetric top to bottom.
    def paint(draw, s):
        draw.polygon([(104 * s, 44 * s), (126 * s, 64 * s), (104 * s, 84 * s)], fill=CORAL, outline=INK)
        draw.line([(104 * s, 44 * s), (126 * s, 64 * s), (104 * s, 84 * s), (104 * s, 44 * s)], fill=INK,
                  width=3 * s)

    save_png(smooth(INDICATOR_SIZE, paint), BLENDED, "PACKINDICATOR_ARROW")


def main():
    make_opening_comic()
    make_indicator()
    make_indicator_arrow()


if __name__ == "__main__":
    main()
